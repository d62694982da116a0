#include "property_view/property_values.h"

#include "document/xml_access.h"

#include <cstring>

namespace {

std::string_view TrimBlanks(std::string_view text)
{
    constexpr std::string_view kBlanks = " \t\r\n";
    const size_t begin = text.find_first_not_of(kBlanks);
    if (begin == std::string_view::npos) return {};
    return text.substr(begin, text.find_last_not_of(kBlanks) - begin + 1);
}

}  // namespace

bool ReadYesNo(std::string_view text)
{
    const std::string_view value = TrimBlanks(text);
    return value != "false" && value != "0";
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
