#include "exports/ied_description.h"

#include "document/tree_item_record.h"
#include "document/xml_access.h"
#include "project_tree/item_access.h"
#include "project_tree/scl_lookups.h"
#include "project_tree/tree_item.h"
#include "project_tree/varnholt_view.h"

namespace {

// The value of the last Val item below the DA items named "d" of `item`.
std::string OwnDescription(const CVarnholtView& view, const TreeItem* item)
{
    std::string description;
    for (const TreeItem* da = item->FirstChild(); da; da = da->NextSibling()) {
        if (!IsItemOfKind(view, da, kKindDA) || ItemName(view, da) != "d") continue;
        for (const TreeItem* val = da->FirstChild(); val; val = val->NextSibling())
            if (IsItemOfKind(view, val, kKindVal)) description = GetElementText(ItemElement(view, val));
    }
    for (char& c : description)
        if (c == '\r' || c == '\n' || c == '\t') c = ' ';
    return description;
}

// The last description found on a DO item named "NamPlt" of the logical node.
std::string LogicalNodeDescription(const CVarnholtView& view, const TreeItem* ln)
{
    std::string description;
    for (const TreeItem* dobj = ln->FirstChild(); dobj; dobj = dobj->NextSibling())
        if (IsItemOfKind(view, dobj, kKindDO) && ItemName(view, dobj) == "NamPlt")
            description = OwnDescription(view, dobj);
    return description;
}

std::string WithDescription(std::string line, const std::string& description)
{
    if (!description.empty()) line += "(" + description + ")";
    return line;
}

// The text of the item's line, or "" when its kind gives none.
std::string ItemLine(const CVarnholtView& view, const TreeItem* item)
{
    const TreeItemRecord* record = view.Record(item);
    if (!record) return {};
    const xmlNode* element = record->node;
    auto attribute = [element](const char* name) { return std::string(GetAttribute(element, name)); };
    switch (record->kind) {
    case kKindIED: return "IED: " + attribute("name");
    case kKindLDevice: return "LD: " + attribute("inst");
    case kKindLN:
        return WithDescription("LN: " + attribute("prefix") + attribute("lnClass") + attribute("inst"),
                               LogicalNodeDescription(view, item));
    case kKindDO: {
        std::string name = attribute("name");
        return WithDescription("DO: " + name, name == "NamPlt" ? std::string() : OwnDescription(view, item));
    }
    case kKindSDO: return "SDO: " + attribute("name");
    case kKindDA: return "DA: " + attribute("name");
    case kKindBDA: return "BDA: " + attribute("name");
    default: return {};
    }
}

}  // namespace

std::vector<std::string> IEDDescriptionLines(const CVarnholtView& view, const TreeItem* ied)
{
    std::vector<std::string> lines;
    if (!ied || !IsItemOfKind(view, ied, kKindIED)) return lines;
    // Depth first, each item before its children, without recursion: the type
    // expansion can make the subtree deep.
    const TreeItem* item = ied;
    size_t depth = 0;
    while (item) {
        std::string text = ItemLine(view, item);
        if (!text.empty()) lines.push_back(std::string(depth, ' ') + text);
        if (item->FirstChild()) {
            item = item->FirstChild();
            ++depth;
            continue;
        }
        while (item != ied && !item->NextSibling()) {
            item = item->Parent();
            --depth;
        }
        item = item == ied ? nullptr : item->NextSibling();
    }
    return lines;
}

std::vector<std::string> IEDDescriptionLines(const CVarnholtView& view, std::string_view iedName)
{
    return IEDDescriptionLines(view, FindIEDItem(view, iedName));
}

std::string IEDDescriptionText(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}
