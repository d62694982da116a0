#include "property_grid/drop_down_list.h"

#include <algorithm>

DropDownList::DropDownList(int count, int current)
    : count_(std::max(count, 0)), highlight_(current >= 0 && current < count_ ? current : -1)
{
    if (highlight_ >= 0) ScrollTo(highlight_ - VisibleRows() / 2);
}

int DropDownList::VisibleRows() const { return std::clamp(count_, 1, kMaxVisibleRows); }

void DropDownList::Hover(int row)
{
    const int index = top_ + row;
    if (row >= 0 && row < VisibleRows() && index < count_) highlight_ = index;
}

void DropDownList::ScrollTo(int top) { top_ = std::clamp(top, 0, MaxTop()); }

void DropDownList::MoveTo(int index)
{
    if (count_ == 0) return;
    highlight_ = std::clamp(index, 0, count_ - 1);
    if (highlight_ < top_)
        top_ = highlight_;
    else if (highlight_ >= top_ + VisibleRows())
        top_ = highlight_ - VisibleRows() + 1;
}
