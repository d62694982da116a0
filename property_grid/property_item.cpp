#include "property_grid/property_item.h"

#include "property_grid/value_text.h"

namespace {

bool HasOption(const PropertyItem& item) { return item.number >= 0 && static_cast<size_t>(item.number) < item.options.size(); }

}  // namespace

std::string ShownValue(const PropertyItem& item)
{
    switch (item.kind) {
    case PropertyKind::String: return item.text;
    case PropertyKind::Text: return ShowLineBreaks(item.text);
    case PropertyKind::Integer: return FormatInteger(item.format, item.number);
    case PropertyKind::Choice: return HasOption(item) ? item.options[static_cast<size_t>(item.number)] : std::string();
    case PropertyKind::Bool: return item.flag ? "true" : "false";
    }
    return std::string();
}

std::string InPlaceEditText(const PropertyItem& item)
{
    return item.kind == PropertyKind::Integer ? std::to_string(item.number) : item.text;
}

std::vector<std::string> DropDownOptions(const PropertyItem& item)
{
    if (item.kind == PropertyKind::Bool) return {"true", "false"};
    return item.options;
}

int DropDownIndex(const PropertyItem& item)
{
    if (item.kind == PropertyKind::Bool) return item.flag ? 0 : 1;
    return HasOption(item) ? item.number : -1;
}
