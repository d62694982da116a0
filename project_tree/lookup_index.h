#pragma once
#include "project_tree/tree_observer.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

class CVarnholtView;

// IED items by name and ConnectedAP items by (iedName, apName), so that resolving
// thousands of inputs does not walk every IED and subnetwork each time. Built on first
// use from the items in tree order, keeping the first item of each key; dropped when
// items come or go at the root level or below a Communication or SubNetwork item.
// A hit whose item no longer answers to its key (its record released) rebuilds.
class TreeLookupIndex : public TreeObserver {
public:
    explicit TreeLookupIndex(const CVarnholtView& view) : view_(view) {}

    TreeItem* IED(std::string_view name);
    struct ConnectedAP {
        TreeItem* subNetwork;
        TreeItem* item;
    };
    ConnectedAP FindConnectedAP(std::string_view iedName, std::string_view apName);

    // For a caller that changes an IED's name or a ConnectedAP's iedName or apName
    // on an element that already has an item.
    void Invalidate() { built_ = false; }
    size_t BuildCount() const { return builds_; }

    void OnBeginReset() override { Invalidate(); }
    void OnEndReset() override { Invalidate(); }
    void OnBeginInsert(TreeItem* parent, int) override { Follow(parent); }
    void OnEndInsert(TreeItem* item) override;
    void OnBeginRemove(TreeItem* parent, int) override { Follow(parent); }
    void OnEndRemove(TreeItem* parent, int) override { Follow(parent); }

private:
    void Follow(const TreeItem* parent);
    void Build();
    void BuildIfNeeded()
    {
        if (!built_) Build();
    }
    bool IsCurrentIED(const TreeItem* item, std::string_view name) const;
    bool IsCurrentConnectedAP(const ConnectedAP& entry, std::string_view iedName, std::string_view apName) const;
    const std::string& Key(std::string_view iedName, std::string_view apName);

    struct NameHash {
        using is_transparent = void;
        size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };
    template <typename Value>
    using NameMap = std::unordered_map<std::string, Value, NameHash, std::equal_to<>>;

    const CVarnholtView& view_;
    bool built_ = false;
    size_t builds_ = 0;
    std::string key_;
    NameMap<TreeItem*> ieds_;
    NameMap<ConnectedAP> connectedAPs_;
};
