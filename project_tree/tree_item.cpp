#include "project_tree/tree_item.h"

#include "project_tree/item_labels.h"
#include "project_tree/varnholt_view.h"

#include <sys/mman.h>
#if __has_include(<sanitizer/asan_interface.h>)
#include <sanitizer/asan_interface.h>
#else
#define ASAN_POISON_MEMORY_REGION(addr, size) ((void)(addr), (void)(size))
#define ASAN_UNPOISON_MEMORY_REGION(addr, size) ((void)(addr), (void)(size))
#endif

#include <cstring>
#include <new>

std::string TreeItem::Label() const
{
    if (const CVarnholtView* view = View()) return view->Label(this);
    return record_ ? LabelFromRecord() : std::string();
}

std::string TreeItem::LabelFromRecord() const
{
    return MakeMarkedItemLabel(*record_, flags_ & kIEDMarkers ? kKindIED : record_->kind);
}

const CVarnholtView* TreeItem::View() const
{
    const TreeItem* top = this;
    while (top->parent_) top = top->parent_;
    return top->IsLevelHolder() ? static_cast<const TreeLevelHolder*>(top)->view : nullptr;
}

TreeItem* TreeItem::NextSibling() const
{
    if (!parent_) return nullptr;
    uint32_t next = row_ + 1;
    return next < parent_->count_ ? parent_->children_[next] : nullptr;
}

bool TreeItem::Contains(const TreeItem* item) const
{
    for (; item; item = item->parent_)
        if (item == this) return true;
    return false;
}

void TreeItem::Reserve(size_t count)
{
    if (count <= capacity_) return;
    void* grown = std::realloc(children_, count * sizeof(TreeItem*));
    if (!grown) throw std::bad_alloc();
    children_ = static_cast<TreeItem**>(grown);
    capacity_ = static_cast<uint32_t>(count);
}

void TreeItem::Fit()
{
    if (count_ == capacity_) return;
    if (count_ == 0) {
        std::free(children_);
        children_ = nullptr;
    } else if (void* fitted = std::realloc(children_, count_ * sizeof(TreeItem*))) {
        children_ = static_cast<TreeItem**>(fitted);
    } else {
        return;
    }
    capacity_ = count_;
}

TreeItem* TreeItem::Insert(size_t row, TreeItem* child)
{
    if (row > count_) row = count_;
    if (count_ == capacity_) Reserve(capacity_ ? size_t{capacity_} * 2 : 1);
    std::memmove(children_ + row + 1, children_ + row, (count_ - row) * sizeof(TreeItem*));
    children_[row] = child;
    ++count_;
    child->parent_ = this;
    Renumber(row);
    return child;
}

TreeItem* TreeItem::Append(TreeItem* child)
{
    return Insert(count_, child);
}

TreeItem* TreeItem::Take(size_t row)
{
    TreeItem* taken = children_[row];
    std::memmove(children_ + row, children_ + row + 1, (count_ - row - 1) * sizeof(TreeItem*));
    --count_;
    Renumber(row);
    taken->parent_ = nullptr;
    taken->row_ = 0;
    return taken;
}

void TreeItem::Renumber(size_t fromRow)
{
    for (size_t row = fromRow; row < count_; ++row) children_[row]->row_ = static_cast<uint32_t>(row);
}

// Under the address sanitizer a slot can be touched only while it holds an item.
TreeItem* TreeItemPool::New(TreeItemRecord* record, int32_t image)
{
    Slot* slot = free_;
    if (slot) {
        ASAN_UNPOISON_MEMORY_REGION(slot, sizeof(Slot));
        free_ = slot->next;
    } else {
        if (usedInLastBlock_ == kBlockSlots) {
            blocks_.reserve(blocks_.size() + 1);
            void* block = mmap(nullptr, kBlockBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
            if (block == MAP_FAILED) throw std::bad_alloc();
            ASAN_POISON_MEMORY_REGION(block, kBlockBytes);
            blocks_.push_back(static_cast<Slot*>(block));
            usedInLastBlock_ = 0;
        }
        slot = &blocks_.back()[usedInLastBlock_++];
        ASAN_UNPOISON_MEMORY_REGION(slot, sizeof(Slot));
    }
    return new (slot->bytes) TreeItem(record, image);
}

void TreeItemPool::Delete(TreeItem* item)
{
    Destroy(item);
    Slot* slot = reinterpret_cast<Slot*>(item);
    slot->next = free_;
    free_ = slot;
    ASAN_POISON_MEMORY_REGION(slot, sizeof(Slot));
}

void TreeItemPool::Clear()
{
    for (Slot* block : blocks_) {
        ASAN_UNPOISON_MEMORY_REGION(block, kBlockBytes);
        munmap(block, kBlockBytes);
    }
    blocks_.clear();
    usedInLastBlock_ = kBlockSlots;
    free_ = nullptr;
}

TreeItem* NextItemInPreOrder(const TreeItem* item)
{
    if (!item) return nullptr;
    if (TreeItem* child = item->FirstChild()) return child;
    for (; item; item = item->Parent())
        if (TreeItem* sibling = item->NextSibling()) return sibling;
    return nullptr;
}
