// The lookups that search the children of a given item.
#include "project_tree/scl_lookups.h"

#include "document/varnholt_doc.h"
#include "project_tree/item_access.h"

namespace {

template <typename Match>
TreeItem* FirstChildWhere(const TreeItem* parent, Match match)
{
    for (TreeItem* item = parent ? parent->FirstChild() : nullptr; item; item = item->NextSibling())
        if (match(item)) return item;
    return nullptr;
}

TreeItem* FirstChildNamed(const CVarnholtView& view, const TreeItem* parent, int32_t kind, std::string_view name)
{
    return FirstChildWhere(parent, [&](const TreeItem* item) {
        return IsItemOfKind(view, item, kind) && ItemName(view, item) == name;
    });
}

TreeItem* FirstServerChild(const CVarnholtView& view, const TreeItem* parent)
{
    return FirstChildWhere(parent, [&](const TreeItem* item) {
        return IsElementNamed(ItemElement(view, item), "Server");
    });
}

TreeItem* FirstLDeviceChild(const CVarnholtView& view, const TreeItem* parent, std::string_view ldInst)
{
    return FirstChildWhere(parent, [&](const TreeItem* item) {
        return IsItemOfKind(view, item, kKindLDevice) && ItemAttribute(view, item, "inst") == ldInst;
    });
}

// Follows one "."-separated path through child items of the two kinds; empty parts
// are skipped.
TreeItem* FollowPath(const CVarnholtView& view, TreeItem* current, std::string_view path, int32_t kind,
                     int32_t subKind)
{
    while (current && !path.empty()) {
        size_t dot = path.find('.');
        std::string_view part = path.substr(0, dot);
        path = dot == std::string_view::npos ? std::string_view() : path.substr(dot + 1);
        if (part.empty()) continue;
        current = FirstChildWhere(current, [&](const TreeItem* item) {
            return (IsItemOfKind(view, item, kind) || IsItemOfKind(view, item, subKind)) &&
                   ItemName(view, item) == part;
        });
    }
    return current;
}

}  // namespace

TreeItem* FindAccessPointItem(const CVarnholtView& view, const TreeItem* ied, std::string_view name)
{
    return FirstChildNamed(view, ied, kKindAccessPoint, name);
}

TreeItem* FindDataSetItem(const CVarnholtView& view, const TreeItem* ln, std::string_view name)
{
    return FirstChildNamed(view, ln, kKindDataSet, name);
}

TreeItem* FindGSEControlItem(const CVarnholtView& view, const TreeItem* ln, std::string_view name)
{
    return FirstChildNamed(view, ln, kKindGSEControl, name);
}

TreeItem* FindLDeviceItem(const CVarnholtView& view, const TreeItem* accessPoint, std::string_view ldInst)
{
    return FirstLDeviceChild(view, FirstServerChild(view, accessPoint), ldInst);
}

TreeItem* FindLNItem(const CVarnholtView& view, const TreeItem* ldevice, std::string_view ref)
{
    return FirstChildWhere(ldevice, [&](const TreeItem* item) {
        return IsItemOfKind(view, item, kKindLN) && LNReferenceEquals(ItemElement(view, item), "inst", ref);
    });
}

TreeItem* FindGSEAddressItem(const CVarnholtView& view, const TreeItem* connectedAP, std::string_view ldInst,
                             std::string_view cbName)
{
    TreeItem* gse = FirstChildWhere(connectedAP, [&](const TreeItem* item) {
        return IsElementNamed(ItemElement(view, item), "GSE") && ItemAttribute(view, item, "ldInst") == ldInst &&
               ItemAttribute(view, item, "cbName") == cbName;
    });
    return FirstChildWhere(gse, [&](const TreeItem* item) { return IsItemOfKind(view, item, kKindGSEAddress); });
}

// The logical node is matched by its reference whatever its kind.
TreeItem* FindDataItem(const CVarnholtView& view, const TreeItem* server, std::string_view ldInst,
                       std::string_view ref, std::string_view doName, std::string_view daName)
{
    TreeItem* ln = FirstChildWhere(FirstLDeviceChild(view, server, ldInst), [&](const TreeItem* item) {
        const xmlNode* element = ItemElement(view, item);
        return element && LNReferenceEquals(element, "inst", ref);
    });
    TreeItem* data = FollowPath(view, ln, doName, kKindDO, kKindSDO);
    return FollowPath(view, data, daName, kKindDA, kKindBDA);
}

TreeItem* FindFCDAItem(const CVarnholtView& view, const TreeItem* dataset, std::string_view ldInst,
                       std::string_view ref, std::string_view doName, std::string_view daName)
{
    return FirstChildWhere(dataset, [&](const TreeItem* item) {
        const xmlNode* fcda = ItemElement(view, item);
        return IsItemOfKind(view, item, kKindFCDA) && GetAttribute(fcda, "ldInst") == ldInst &&
               LNReferenceEquals(fcda, "lnInst", ref) && GetAttribute(fcda, "doName") == doName &&
               GetAttribute(fcda, "daName") == daName;
    });
}

int CountFCDAItems(const CVarnholtView& view, const TreeItem* dataset)
{
    int count = 0;
    for (TreeItem* item = dataset ? dataset->FirstChild() : nullptr; item; item = item->NextSibling())
        if (IsItemOfKind(view, item, kKindFCDA)) ++count;
    return count;
}

TreeItem* FCDAItemAt(const CVarnholtView& view, const TreeItem* dataset, int index)
{
    if (index < 0) return nullptr;
    return FirstChildWhere(dataset, [&](const TreeItem* item) {
        return IsItemOfKind(view, item, kKindFCDA) && index-- == 0;
    });
}

bool IsControlBlockElement(const xmlNode* element)
{
    for (const char* name : {"ReportControl", "GSEControl", "SampledValueControl", "LogControl"})
        if (IsElementNamed(element, name)) return true;
    return false;
}

void RenameDataSetReferences(CVarnholtView& view, const TreeItem* ln, std::string_view oldName,
                             const std::string& newName)
{
    for (xmlNode* child : ElementChildren(ItemElement(view, ln)))
        if (IsControlBlockElement(child) && GetAttribute(child, "datSet") == oldName)
            view.Document().Changes().SetAttribute(child, "datSet", newName);
}
