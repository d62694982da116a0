#include "document/item_record_list.h"

TreeItemRecord* ItemRecordList::Create(xmlNode* node, int32_t kind)
{
    auto* record = new TreeItemRecord;
    record->node = node;
    record->kind = kind;
    record->listOwner = this;
    record->listPrev = tail_;
    if (tail_) tail_->listNext = record;
    else head_ = record;
    tail_ = record;
    ++size_;
    return record;
}

std::unique_ptr<TreeItemRecord> ItemRecordList::Remove(TreeItemRecord* record)
{
    if (!record || record->listOwner != this) return nullptr;
    if (record->listPrev) record->listPrev->listNext = record->listNext;
    else head_ = record->listNext;
    if (record->listNext) record->listNext->listPrev = record->listPrev;
    else tail_ = record->listPrev;
    record->listPrev = record->listNext = nullptr;
    record->listOwner = nullptr;
    --size_;
    return std::unique_ptr<TreeItemRecord>(record);
}

void ItemRecordList::Clear()
{
    while (head_) {
        TreeItemRecord* next = head_->listNext;
        delete head_;
        head_ = next;
    }
    tail_ = nullptr;
    size_ = 0;
}
