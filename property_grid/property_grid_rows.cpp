#include "property_grid/property_grid_model.h"

#include <algorithm>

void PropertyGridModel::Relayout()
{
    rows_.clear();
    for (PropertySection& section : sections_) {
        section.row = -1;
        if (mode_ == kGrouped) {
            section.row = RowCount();
            rows_.push_back({section.id, -1});
        }
        const bool hidden = mode_ == kGrouped && section.collapsed;
        for (PropertyItem* item : section.items) {
            item->row = hidden ? -1 : RowCount();
            if (!hidden) rows_.push_back({section.id, item->id});
        }
    }
    scrollTop_ = std::clamp(scrollTop_, 0, MaxScrollTop());
    LayoutChanged();
}

void PropertyGridModel::SetDisplayMode(int mode)
{
    if (mode != kGrouped && mode != kList) return;
    mode_ = mode;
    RepairFocus();
    Relayout();
}

void PropertyGridModel::SetSectionCollapsed(int id, bool collapsed)
{
    if (!FindSection(id) || sections_[static_cast<size_t>(id)].collapsed == collapsed) return;
    sections_[static_cast<size_t>(id)].collapsed = collapsed;
    RepairFocus();
    Relayout();
}

void PropertyGridModel::ToggleSection(int id)
{
    if (const PropertySection* section = FindSection(id)) SetSectionCollapsed(id, !section->collapsed);
}

void PropertyGridModel::SetAllCollapsed(bool collapsed)
{
    for (PropertySection& section : sections_) section.collapsed = collapsed;
    RepairFocus();
    Relayout();
}

bool PropertyGridModel::IsShown(GridFocus focus) const
{
    switch (focus.kind) {
    case GridFocus::Kind::None: return true;
    case GridFocus::Kind::Section: return FindSection(focus.id) && mode_ == kGrouped;
    case GridFocus::Kind::Item: {
        const PropertyItem* item = FindItem(focus.id);
        return item && (mode_ == kList || !sections_[static_cast<size_t>(item->section)].collapsed);
    }
    }
    return false;
}

// An item that its section hides hands the focus to the section's header.
void PropertyGridModel::RepairFocus()
{
    if (IsShown(focus_)) return;
    const PropertyItem* item = focus_.kind == GridFocus::Kind::Item ? FindItem(focus_.id) : nullptr;
    focus_ = item && mode_ == kGrouped ? GridFocus::Section(item->section) : GridFocus();
}

void PropertyGridModel::SetFocus(GridFocus focus)
{
    if (focus == focus_ || !IsShown(focus)) return;
    focus_ = focus;
    Repaint();
}

int PropertyGridModel::FocusRow() const
{
    switch (focus_.kind) {
    case GridFocus::Kind::Section: return sections_[static_cast<size_t>(focus_.id)].row;
    case GridFocus::Kind::Item: return FindItem(focus_.id)->row;
    default: return -1;
    }
}

// Without a focus, any step lands on the first row.
bool PropertyGridModel::MoveFocus(int step)
{
    if (rows_.empty()) return false;
    const int from = FocusRow();
    const int to = from < 0 ? 0 : std::clamp(from + step, 0, RowCount() - 1);
    const GridRow& row = Row(to);
    SetFocus(row.item >= 0 ? GridFocus::Item(row.item) : GridFocus::Section(row.section));
    EnsureRowVisible(to);
    return true;
}

bool PropertyGridModel::KeyPress(GridKey key)
{
    const PropertySection* section = focus_.kind == GridFocus::Kind::Section ? FindSection(focus_.id) : nullptr;
    switch (key) {
    case GridKey::Down: return MoveFocus(1);
    case GridKey::Up: return MoveFocus(-1);
    case GridKey::Left:
        if (!section || section->collapsed) return MoveFocus(-1);
        SetSectionCollapsed(section->id, true);
        return true;
    case GridKey::Right:
        if (!section || !section->collapsed) return MoveFocus(1);
        SetSectionCollapsed(section->id, false);
        return true;
    case GridKey::Expand:
    case GridKey::Collapse:
        if (!section) return false;
        SetSectionCollapsed(section->id, key == GridKey::Collapse);
        return true;
    case GridKey::ExpandAll:
    case GridKey::CollapseAll: SetAllCollapsed(key == GridKey::CollapseAll); return true;
    case GridKey::Edit:
    case GridKey::Toggle: return KeyOnItem(key);
    }
    return false;
}

bool PropertyGridModel::KeyOnItem(GridKey key)
{
    PropertyItem* item = focus_.kind == GridFocus::Kind::Item ? Item(focus_.id) : nullptr;
    if (!item || !item->editable || editor_ != GridEditor::None) return false;
    if (key == GridKey::Toggle && item->kind != PropertyKind::Bool) return false;
    EnsureRowVisible(item->row);
    if (key == GridKey::Edit) {
        Open(item->id);
        return true;
    }
    item->flag = !item->flag;
    Repaint();
    Notify(item->id);
    return true;
}

std::optional<std::string> PropertyGridModel::FocusedValue() const
{
    const PropertyItem* item = focus_.kind == GridFocus::Kind::Item ? FindItem(focus_.id) : nullptr;
    if (!item) return std::nullopt;
    return item->kind == PropertyKind::Text ? item->text : ShownValue(*item);
}
