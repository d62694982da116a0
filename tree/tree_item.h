#pragma once
#include "core/tree_item_record.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CVarnholtView;

// One item of the project tree: a label, a picture (the record's kind), the record
// of the element it shows, and its ordered children. Each item knows its row in its
// parent, so a model adapter never searches siblings. Only the view changes items,
// so that every change reaches the view's observers.
class TreeItem {
public:
    TreeItem(std::string label, int32_t image, TreeItemRecord* record)
        : label_(std::move(label)), record_(record), image_(static_cast<int8_t>(image))
    {
    }
    TreeItem(const TreeItem&) = delete;
    TreeItem& operator=(const TreeItem&) = delete;

    const std::string& Label() const { return label_; }
    int Image() const { return image_; }
    // Null once the record has been released.
    TreeItemRecord* Record() const { return record_; }

    // Null for the items at the root level.
    TreeItem* Parent() const { return parent_ && !parent_->IsLevelHolder() ? parent_ : nullptr; }
    int Row() const { return static_cast<int>(row_); }
    int ChildCount() const { return static_cast<int>(children_.size()); }
    TreeItem* Child(int row) const { return children_[static_cast<size_t>(row)].get(); }
    TreeItem* FirstChild() const { return children_.empty() ? nullptr : children_.front().get(); }
    TreeItem* NextSibling() const;
    // True for this item and every item below it.
    bool Contains(const TreeItem* item) const;

private:
    friend class CVarnholtView;

    // The view keeps its root-level items as the children of one unseen item.
    static constexpr int8_t kLevelHolderImage = -1;
    bool IsLevelHolder() const { return image_ == kLevelHolderImage; }

    TreeItem* Insert(size_t row, std::unique_ptr<TreeItem> child);
    TreeItem* Append(std::unique_ptr<TreeItem> child);
    std::unique_ptr<TreeItem> Take(size_t row);
    void Renumber(size_t fromRow);

    std::string label_;
    TreeItemRecord* record_;
    TreeItem* parent_ = nullptr;
    std::vector<std::unique_ptr<TreeItem>> children_;
    uint32_t row_ = 0;
    int8_t image_;
};

// The first child of `item` if it has children, else its next sibling, else the next
// sibling of the nearest ancestor that has one; null at the end of the tree.
TreeItem* NextItemInPreOrder(const TreeItem* item);
