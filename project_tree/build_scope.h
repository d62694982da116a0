#pragma once
// What the building of items needs while one operation of the view runs.
#include "project_tree/varnholt_view.h"

#include <libxml/tree.h>

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

// How many elements enclose `node`, itself included.
int ElementDepth(const xmlNode* node);

// The elements of `node` and below it; with `following`, also of the siblings after it.
size_t CountElements(const xmlNode* node, bool following = false);

// A shown element of a type template, its kind and the template it refers to.
struct TypeMember {
    xmlNode* node;
    int32_t kind;
    xmlNode* type;  // the DOType of a DO or SDO, the DAType of a DA or BDA; null otherwise
};

// The members of each template list met during one operation, read from the
// document once however many logical nodes use them.
class CVarnholtView::TypeMembers {
public:
    explicit TypeMembers(const CVarnholtDoc& doc) : doc_(doc) {}
    // The shown elements of the sibling list from `first`, in order.
    const std::vector<TypeMember>& Of(xmlNode* first);

private:
    const CVarnholtDoc& doc_;
    std::unordered_map<const xmlNode*, std::vector<TypeMember>> lists_;
};

// The bound of the items one operation may add through the templates, and the
// template members it has read; the view's previous state comes back at the end.
class CVarnholtView::BuildScope {
public:
    // For an operation that shows `node` (and its following siblings, if so told).
    BuildScope(CVarnholtView& view, const xmlNode* node, bool following = false);
    ~BuildScope();
    BuildScope(const BuildScope&) = delete;
    BuildScope& operator=(const BuildScope&) = delete;

    // Raises the view's bound to the one that the elements of the operation allow;
    // false when the view already holds that many items.
    bool RaiseLimit();
    TypeMembers& Members() { return members_; }

private:
    CVarnholtView& view_;
    TypeMembers members_;
    const xmlNode* node_;
    bool following_;
    size_t start_;
    bool raised_ = false;
    BuildScope* outerScope_;
    size_t outerLimit_;
};

// The first child of an item of a kind whose element has a name, as a search of the
// children in order finds it. Wide items get an index, kept while the children are
// only appended to.
class CVarnholtView::ChildNames {
public:
    // Counts the items it looks at in `steps`.
    TreeItem* Find(const TreeItem& parent, int32_t kind, const char* name, size_t& steps);

private:
    struct Key {
        const TreeItem* parent;
        int32_t kind;
        bool operator==(const Key& other) const { return parent == other.parent && kind == other.kind; }
    };
    struct KeyHash {
        size_t operator()(const Key& key) const
        {
            return std::hash<const void*>{}(key.parent) ^ (static_cast<size_t>(key.kind) * 0x9E3779B97F4A7C15u);
        }
    };
    struct Index {
        std::unordered_map<std::string_view, TreeItem*> first;
        int indexed = 0;
    };
    std::unordered_map<Key, Index, KeyHash> indexes_;
};
