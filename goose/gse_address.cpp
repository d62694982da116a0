#include "goose/gse_address.h"

#include "document/xml_access.h"
#include "project_tree/item_access.h"

#include <cstring>
#include <string_view>

namespace {

// The content of the P's first child when that child is text that is not only blanks;
// "" otherwise. The text is kept as written: it goes into connected internal addresses.
std::string ParameterText(const xmlNode* p)
{
    const xmlNode* first = p->children;
    if (!first || (first->type != XML_TEXT_NODE && first->type != XML_CDATA_SECTION_NODE) || !first->content)
        return {};
    const char* text = reinterpret_cast<const char*>(first->content);
    int length = static_cast<int>(std::strlen(text));
    return IsBlankText(text, length) ? std::string() : std::string(text, static_cast<size_t>(length));
}

}  // namespace

GseAddressTexts ReadGseAddressElement(const xmlNode* address)
{
    GseAddressTexts texts;
    for (const xmlNode* p : ElementChildren(address)) {
        if (ElementName(p) != "P") continue;
        std::string_view type = GetAttribute(p, "type");
        std::string* field = type == "MAC-Address"     ? &texts.macAddress
                             : type == "APPID"         ? &texts.appId
                             : type == "VLAN-ID"       ? &texts.vlanId
                             : type == "VLAN-PRIORITY" ? &texts.vlanPriority
                                                       : nullptr;
        if (field) *field = ParameterText(p);
    }
    return texts;
}

void ReadGseAddress(const CVarnholtView& view, const TreeItem* address, CGooseControl& control)
{
    GseAddressTexts texts = ReadGseAddressElement(ItemElement(view, address));
    control.macAddress = std::move(texts.macAddress);
    control.appId = std::move(texts.appId);
    control.vlanId = std::move(texts.vlanId);
    control.vlanPriority = std::move(texts.vlanPriority);
}
