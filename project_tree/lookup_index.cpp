#include "project_tree/lookup_index.h"

#include "project_tree/item_access.h"

void TreeLookupIndex::Follow(const TreeItem* parent)
{
    if (!parent || parent->Image() == kKindCommunication || parent->Image() == kKindSubNetwork) Invalidate();
}

void TreeLookupIndex::OnEndInsert(TreeItem* item)
{
    Follow(item ? item->Parent() : nullptr);
}

// Attribute values never hold a NUL character, so it separates the two names.
const std::string& TreeLookupIndex::Key(std::string_view iedName, std::string_view apName)
{
    key_.assign(iedName);
    key_.push_back('\0');
    key_.append(apName);
    return key_;
}

void TreeLookupIndex::Build()
{
    ieds_.clear();
    connectedAPs_.clear();
    TreeItem* communication = nullptr;
    for (TreeItem* item = view_.FirstRootItem(); item; item = item->NextSibling()) {
        if (IsItemOfKind(view_, item, kKindIED))
            ieds_.emplace(ItemName(view_, item), item);
        else if (!communication && IsItemOfKind(view_, item, kKindCommunication))
            communication = item;
    }
    for (TreeItem* network = communication ? communication->FirstChild() : nullptr; network;
         network = network->NextSibling()) {
        if (!IsItemOfKind(view_, network, kKindSubNetwork)) continue;
        for (TreeItem* item = network->FirstChild(); item; item = item->NextSibling()) {
            if (!IsItemOfKind(view_, item, kKindConnectedAP)) continue;
            const std::string& key = Key(ItemAttribute(view_, item, "iedName"), ItemAttribute(view_, item, "apName"));
            connectedAPs_.emplace(key, ConnectedAP{network, item});
        }
    }
    built_ = true;
    ++builds_;
}

bool TreeLookupIndex::IsCurrentIED(const TreeItem* item, std::string_view name) const
{
    return IsItemOfKind(view_, item, kKindIED) && ItemName(view_, item) == name;
}

bool TreeLookupIndex::IsCurrentConnectedAP(const ConnectedAP& entry, std::string_view iedName,
                                           std::string_view apName) const
{
    return IsItemOfKind(view_, entry.item, kKindConnectedAP) && IsItemOfKind(view_, entry.subNetwork, kKindSubNetwork) &&
           ItemAttribute(view_, entry.item, "iedName") == iedName && ItemAttribute(view_, entry.item, "apName") == apName;
}

TreeItem* TreeLookupIndex::IED(std::string_view name)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        BuildIfNeeded();
        auto found = ieds_.find(name);
        if (found == ieds_.end()) return nullptr;
        if (IsCurrentIED(found->second, name)) return found->second;
        Invalidate();
    }
    return nullptr;
}

TreeLookupIndex::ConnectedAP TreeLookupIndex::FindConnectedAP(std::string_view iedName, std::string_view apName)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        BuildIfNeeded();
        auto found = connectedAPs_.find(Key(iedName, apName));
        if (found == connectedAPs_.end()) return {};
        if (IsCurrentConnectedAP(found->second, iedName, apName)) return found->second;
        Invalidate();
    }
    return {};
}
