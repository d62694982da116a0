#include "tree/tree_item.h"

TreeItem* TreeItem::NextSibling() const
{
    if (!parent_) return nullptr;
    size_t next = static_cast<size_t>(row_) + 1;
    return next < parent_->children_.size() ? parent_->children_[next].get() : nullptr;
}

bool TreeItem::Contains(const TreeItem* item) const
{
    for (; item; item = item->parent_)
        if (item == this) return true;
    return false;
}

TreeItem* TreeItem::Insert(size_t row, std::unique_ptr<TreeItem> child)
{
    if (row > children_.size()) row = children_.size();
    child->parent_ = this;
    TreeItem* inserted = children_.insert(children_.begin() + static_cast<ptrdiff_t>(row),
                                          std::move(child))->get();
    Renumber(row);
    return inserted;
}

TreeItem* TreeItem::Append(std::unique_ptr<TreeItem> child)
{
    child->parent_ = this;
    child->row_ = static_cast<uint32_t>(children_.size());
    children_.push_back(std::move(child));
    return children_.back().get();
}

std::unique_ptr<TreeItem> TreeItem::Take(size_t row)
{
    std::unique_ptr<TreeItem> taken = std::move(children_[row]);
    children_.erase(children_.begin() + static_cast<ptrdiff_t>(row));
    Renumber(row);
    taken->parent_ = nullptr;
    taken->row_ = 0;
    return taken;
}

void TreeItem::Renumber(size_t fromRow)
{
    for (size_t row = fromRow; row < children_.size(); ++row)
        children_[row]->row_ = static_cast<uint32_t>(row);
}

TreeItem* NextItemInPreOrder(const TreeItem* item)
{
    if (!item) return nullptr;
    if (TreeItem* child = item->FirstChild()) return child;
    for (; item; item = item->Parent())
        if (TreeItem* sibling = item->NextSibling()) return sibling;
    return nullptr;
}
