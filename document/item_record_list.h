#pragma once
#include "document/tree_item_record.h"

#include <cstddef>
#include <memory>

// The document's records of tree items, in creation order. Taking one record out is
// constant time, so deleting a large subtree stays linear.
class ItemRecordList {
public:
    ItemRecordList() = default;
    ItemRecordList(const ItemRecordList&) = delete;
    ItemRecordList& operator=(const ItemRecordList&) = delete;
    ~ItemRecordList() { Clear(); }

    TreeItemRecord* Create(xmlNode* node, int32_t kind);
    // Hands the record back to the caller; null when it is not in this list.
    std::unique_ptr<TreeItemRecord> Remove(TreeItemRecord* record);
    void Clear();

    size_t size() const { return size_; }
    TreeItemRecord* first() const { return head_; }

private:
    TreeItemRecord* head_ = nullptr;
    TreeItemRecord* tail_ = nullptr;
    size_t size_ = 0;
};
