#include "datasets/property_values.h"

#include "core/xml_access.h"

#include <cstdint>
#include <cstring>

namespace {

std::string_view TrimBlanks(std::string_view text)
{
    constexpr std::string_view kBlanks = " \t\r\n";
    const size_t begin = text.find_first_not_of(kBlanks);
    if (begin == std::string_view::npos) return {};
    return text.substr(begin, text.find_last_not_of(kBlanks) - begin + 1);
}

bool IsXmlChar(uint32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

}  // namespace

bool ReadYesNo(std::string_view text)
{
    const std::string_view value = TrimBlanks(text);
    return value != "false" && value != "0";
}

bool IsXmlText(std::string_view text)
{
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        size_t length = 1;
        uint32_t c = lead;
        uint32_t least = 0;
        if (lead >= 0x80) {
            if (lead < 0xC2 || lead > 0xF4) return false;
            length = lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
            c = lead & (0x7Fu >> length);
            least = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
        }
        if (i + length > text.size()) return false;
        for (size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0u) != 0x80u) return false;
            c = (c << 6) | (next & 0x3Fu);
        }
        if (c < least || !IsXmlChar(c)) return false;
        i += length;
    }
    return true;
}

std::string AttributeLabel(const xmlAttr* attribute)
{
    std::string label = reinterpret_cast<const char*>(attribute->name);
    if (attribute->ns && attribute->ns->prefix)
        label = reinterpret_cast<const char*>(attribute->ns->prefix) + (":" + label);
    return label;
}

std::string AttributeText(const xmlAttr* attribute)
{
    xmlChar* value = xmlNodeGetContent(reinterpret_cast<const xmlNode*>(attribute));
    std::string text = value ? reinterpret_cast<const char*>(value) : "";
    xmlFree(value);
    return text;
}

xmlNode* FirstNonBlankText(const xmlNode* element)
{
    if (!element) return nullptr;
    for (xmlNode* child = element->children; child; child = child->next) {
        if (child->type != XML_TEXT_NODE && child->type != XML_CDATA_SECTION_NODE) continue;
        const char* text = child->content ? reinterpret_cast<const char*>(child->content) : "";
        if (!IsBlankText(text, static_cast<int>(std::strlen(text)))) return child;
    }
    return nullptr;
}
