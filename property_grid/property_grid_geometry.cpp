#include "property_grid/property_grid_model.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kDividerGrip = 3;  // the divider is grabbed this close
constexpr int kMinColumn = 8;

}  // namespace

int PropertyGridModel::ClampDivider(int x) const
{
    const int low = Margin() + kMinColumn;
    return std::clamp(x, low, std::max(low, width_ - kMinColumn));
}

void PropertyGridModel::SetViewSize(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    divider_ = ClampDivider(dividerMoved_ ? divider_ : width_ / 2);
    scrollTop_ = std::clamp(scrollTop_, 0, MaxScrollTop());
    LayoutChanged();
}

void PropertyGridModel::SetRowHeight(int height)
{
    height = std::max(height, 1);
    if (height == rowHeight_) return;
    rowHeight_ = height;
    divider_ = ClampDivider(dividerMoved_ ? divider_ : width_ / 2);
    scrollTop_ = std::clamp(scrollTop_, 0, MaxScrollTop());
    LayoutChanged();
}

void PropertyGridModel::MoveDivider(int x)
{
    dividerMoved_ = true;
    x = ClampDivider(x);
    if (x == divider_) return;
    divider_ = x;
    LayoutChanged();
}

int PropertyGridModel::MaxScrollTop() const { return std::max(0, RowCount() * rowHeight_ - height_); }

void PropertyGridModel::ScrollTo(int top)
{
    top = std::clamp(top, 0, MaxScrollTop());
    if (top == scrollTop_) return;
    scrollTop_ = top;
    LayoutChanged();
}

void PropertyGridModel::EnsureRowVisible(int row)
{
    if (row < 0 || row >= RowCount()) return;
    const int top = row * rowHeight_;
    if (top < scrollTop_)
        ScrollTo(top);
    else if (top + rowHeight_ > scrollTop_ + height_)
        ScrollTo(top + rowHeight_ - height_);
}

GridRect PropertyGridModel::RowRect(int row) const { return {0, row * rowHeight_ - scrollTop_, width_, rowHeight_}; }

GridRect PropertyGridModel::BoxRect(int row) const
{
    const GridRect r = RowRect(row);
    return {0, r.y, Margin(), r.height};
}

GridRect PropertyGridModel::LabelRect(int row) const
{
    const GridRect r = RowRect(row);
    return {Margin(), r.y, divider_ - Margin(), r.height};
}

GridRect PropertyGridModel::ValueRect(int row) const
{
    const GridRect r = RowRect(row);
    return {divider_ + 1, r.y, width_ - divider_ - 1, r.height};
}

GridRect PropertyGridModel::ButtonRect(int row) const
{
    if (row < 0 || row >= RowCount()) return {};
    const PropertyItem* item = FindItem(Row(row).item);
    if (!item || item->kind != PropertyKind::Text || !item->editable) return {};
    const GridRect value = ValueRect(row);
    const int width = std::min(rowHeight_, value.width);
    return {value.x + value.width - width, value.y, width, value.height};
}

GridRect PropertyGridModel::ValueCellOf(int itemId) const
{
    const PropertyItem* item = FindItem(itemId);
    return item && item->row >= 0 ? ValueRect(item->row) : GridRect();
}

GridHit PropertyGridModel::HitTest(int x, int y) const
{
    if (x < 0 || x >= width_ || y < 0) return {};
    const int row = (y + scrollTop_) / rowHeight_;
    if (row >= RowCount()) return {};
    if (Row(row).item < 0) return {row, x < Margin() ? GridPart::SectionBox : GridPart::SectionHeader};
    if (std::abs(x - divider_) <= kDividerGrip) return {row, GridPart::Divider};
    if (x < divider_) return {row, GridPart::Label};
    return {row, ButtonRect(row).Contains(x, y) ? GridPart::Button : GridPart::Value};
}

bool PropertyGridModel::IsResizeCursorAt(int x, int y) const
{
    return draggingDivider_ || HitTest(x, y).part == GridPart::Divider;
}
