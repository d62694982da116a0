#include "property_view/edit_target.h"

#include "document/change_channel.h"
#include "document/scl_schema.h"
#include "document/xml_access.h"
#include "property_view/property_values.h"

namespace {

bool IsShownOrChild(const xmlNode* shown, const xmlNode* element)
{
    if (element == shown) return true;
    for (const xmlNode* child : ElementChildren(shown))
        if (child == element) return true;
    return false;
}

}  // namespace

std::optional<EditTarget> EditTarget::Resolve(xmlNode* shown, const EditEntry& entry)
{
    if (!shown || !IsShownOrChild(shown, entry.element)) return std::nullopt;
    if (entry.attribute.empty()) {
        xmlNode* text = FirstNonBlankText(entry.element);
        if (!text) return std::nullopt;
        return EditTarget(entry.element, entry.attribute, text);
    }
    const xmlAttr* present = xmlHasNsProp(entry.element, Xml(entry.attribute.c_str()), nullptr);
    if (!present && entry.kind != ValueKind::DatasetChoice) return std::nullopt;
    EditTarget target(entry.element, entry.attribute, nullptr);
    if (IsFilledInByValidation(present)) target.filledIn_ = AttributeText(present);
    return target;
}

std::optional<std::string> EditTarget::Read() const
{
    if (text_) return NodeText(text_);
    const xmlAttr* attribute = xmlHasNsProp(element_, Xml(attribute_.c_str()), nullptr);
    if (!attribute) return std::nullopt;
    return AttributeText(attribute);
}

void EditTarget::Write(ChangeChannel& changes, const std::optional<std::string>& value) const
{
    if (text_) {
        changes.SetNodeText(text_, value.value_or(""));
    } else if (value) {
        changes.SetAttribute(element_, attribute_.c_str(), *value);
        SetFilledInByValidation(xmlHasNsProp(element_, Xml(attribute_.c_str()), nullptr), filledIn_ == value);
    } else {
        changes.RemoveAttribute(element_, attribute_.c_str());
    }
}

void EditTarget::MarkAsRead() const
{
    if (!text_) SetFilledInByValidation(xmlHasNsProp(element_, Xml(attribute_.c_str()), nullptr), filledIn_.has_value());
}
