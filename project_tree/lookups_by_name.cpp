// The lookups that start from the whole project: IEDs by name, connected access points
// by IED and access point name, and the names around the selection.
#include "document/varnholt_doc.h"
#include "project_tree/item_access.h"
#include "project_tree/lookup_index.h"
#include "project_tree/scl_lookups.h"

TreeItem* FindIEDItem(const CVarnholtView& view, std::string_view name)
{
    return view.LookupIndex().IED(name);
}

TreeItem* FindItemOfElement(const CVarnholtView& view, const xmlNode* element)
{
    std::vector<const xmlNode*> path;  // from the element up to a child of the root
    for (const xmlNode* node = element; node && node->parent && node->parent->type == XML_ELEMENT_NODE;
         node = node->parent)
        path.push_back(node);
    TreeItem* found = nullptr;
    for (auto node = path.rbegin(); node != path.rend(); ++node) {
        TreeItem* child = found ? found->FirstChild() : view.FirstRootItem();
        while (child && !(view.Record(child) && view.Record(child)->node == *node)) child = child->NextSibling();
        if (!child) break;
        found = child;
    }
    return found;
}

TreeItem* FindSubNetworkOfConnectedAP(const CVarnholtView& view, std::string_view iedName, std::string_view apName)
{
    return view.LookupIndex().FindConnectedAP(iedName, apName).subNetwork;
}

TreeItem* FindConnectedAPItem(const CVarnholtView& view, std::string_view iedName, std::string_view apName)
{
    return view.LookupIndex().FindConnectedAP(iedName, apName).item;
}

namespace {

std::string NameOfNearest(const CVarnholtView& view, int32_t kind)
{
    for (const TreeItem* item = view.Selected(); item; item = item->Parent())
        if (IsItemOfKind(view, item, kind)) return std::string(ItemName(view, item));
    return {};
}

}  // namespace

std::string SelectedSubNetworkName(const CVarnholtView& view)
{
    return NameOfNearest(view, kKindSubNetwork);
}

std::string SelectedIEDName(const CVarnholtView& view)
{
    return NameOfNearest(view, kKindIED);
}

// Every record below a removed item is released before any element is freed, and the
// items go before their elements, so that no item ever shows a freed element.
void RemoveConnectedAPsOfIED(CVarnholtView& view, std::string_view iedName)
{
    TreeItem* communication = nullptr;
    for (TreeItem* item = view.FirstRootItem(); item && !communication; item = item->NextSibling())
        if (IsItemOfKind(view, item, kKindCommunication)) communication = item;
    if (!communication) return;
    std::vector<std::pair<TreeItem*, xmlNode*>> removed;
    for (TreeItem* network = communication->FirstChild(); network; network = network->NextSibling()) {
        if (!IsItemOfKind(view, network, kKindSubNetwork)) continue;
        for (TreeItem* item = network->FirstChild(); item; item = item->NextSibling()) {
            if (!IsItemOfKind(view, item, kKindConnectedAP) || ItemAttribute(view, item, "iedName") != iedName)
                continue;
            removed.emplace_back(item, view.Record(item)->node);
            view.ReleaseItemRecords(item);
        }
    }
    for (auto& [item, element] : removed) {
        view.DeleteItem(item);
        view.Document().Changes().Remove(element);
    }
}
