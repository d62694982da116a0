#pragma once
#include "document/tree_item_record.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

class CVarnholtView;

// One item of the project tree: a picture (the record's kind), the record of the
// element it shows, and its ordered children. Its label is read from the element when
// asked, unless the view was given another one. Each item knows its row in its parent,
// so a model adapter never searches siblings. Only the view creates and changes items,
// so that every change reaches the view's observers.
class TreeItem {
public:
    TreeItem(const TreeItem&) = delete;
    TreeItem& operator=(const TreeItem&) = delete;

    // The label the view shows for this item (CVarnholtView::Label).
    std::string Label() const;
    int Image() const { return image_; }
    // Null once the record has been released.
    TreeItemRecord* Record() const { return record_; }

    // Null for the items at the root level.
    TreeItem* Parent() const { return parent_ && !parent_->IsLevelHolder() ? parent_ : nullptr; }
    int Row() const { return static_cast<int>(row_); }
    int ChildCount() const { return static_cast<int>(count_); }
    TreeItem* Child(int row) const { return children_[row]; }
    TreeItem* FirstChild() const { return count_ ? children_[0] : nullptr; }
    TreeItem* NextSibling() const;
    // True for this item and every item below it.
    bool Contains(const TreeItem* item) const;

private:
    friend class CVarnholtView;
    friend class TreeItemPool;
    friend struct TreeLevelHolder;

    // The view keeps its root-level items as the children of one unseen item.
    static constexpr int8_t kLevelHolderImage = -1;
    enum Flag : uint8_t {
        kOwnLabel = 1,    // the view holds a label given by SetLabel
        kIEDMarkers = 2,  // shows the markers of an IED whatever its kind
        kCutShift = 2,    // bits 2 to 4: the ExpansionCut that stopped this item's children
        kCutMask = 7 << kCutShift,
    };
    static_assert(((kOwnLabel | kIEDMarkers) & kCutMask) == 0, "the cut bits overlap the other flags");

    TreeItem(TreeItemRecord* record, int32_t image) : record_(record), image_(static_cast<int8_t>(image)) {}
    ~TreeItem() { std::free(children_); }

    bool IsLevelHolder() const { return image_ == kLevelHolderImage; }
    // The view that holds this item; null while it is being built.
    const CVarnholtView* View() const;
    // The label of the element with the markers of the record; the record must be current.
    std::string LabelFromRecord() const;

    void Reserve(size_t count);
    // Gives back the room reserved beyond the children it has.
    void Fit();
    TreeItem* Insert(size_t row, TreeItem* child);
    TreeItem* Append(TreeItem* child);
    TreeItem* Take(size_t row);
    void Renumber(size_t fromRow);

    TreeItemRecord* record_;
    TreeItem* parent_ = nullptr;
    TreeItem** children_ = nullptr;
    uint32_t count_ = 0;
    uint32_t capacity_ = 0;
    uint32_t row_ = 0;
    int8_t image_;
    uint8_t flags_ = 0;
};

struct TreeLevelHolder : TreeItem {
    explicit TreeLevelHolder(const CVarnholtView* owner) : TreeItem(nullptr, kLevelHolderImage), view(owner) {}
    const CVarnholtView* view;
};

// Items of one view, allocated in blocks; freed items are reused. The blocks are
// mapped from the system directly: giving one back to the heap would make it merge
// every small block freed before it, such as the records of the items.
class TreeItemPool {
public:
    TreeItemPool() = default;
    ~TreeItemPool() { Clear(); }
    TreeItemPool(const TreeItemPool&) = delete;
    TreeItemPool& operator=(const TreeItemPool&) = delete;

    TreeItem* New(TreeItemRecord* record, int32_t image);
    void Delete(TreeItem* item);
    // Forgets every item at once; the caller has destroyed them.
    void Clear();
    static void Destroy(TreeItem* item) { item->~TreeItem(); }

private:
    union Slot {
        Slot* next;
        alignas(TreeItem) unsigned char bytes[sizeof(TreeItem)];
    };
    static constexpr size_t kBlockBytes = size_t{256} << 10;
    static constexpr size_t kBlockSlots = kBlockBytes / sizeof(Slot);
    std::vector<Slot*> blocks_;
    size_t usedInLastBlock_ = kBlockSlots;
    Slot* free_ = nullptr;
};

// The first child of `item` if it has children, else its next sibling, else the next
// sibling of the nearest ancestor that has one; null at the end of the tree.
TreeItem* NextItemInPreOrder(const TreeItem* item);
