#include "property_grid/property_grid_model.h"

#include <algorithm>

int PropertyGridModel::AddSection(std::string title, bool collapsed)
{
    PropertySection& section = sections_.emplace_back();
    section.id = static_cast<int>(sections_.size()) - 1;
    section.title = std::move(title);
    section.collapsed = collapsed;
    Relayout();
    return section.id;
}

int PropertyGridModel::AddItem(int sectionId, std::unique_ptr<PropertyItem> item)
{
    if (sectionId < 0 || static_cast<size_t>(sectionId) >= sections_.size()) return -1;
    std::vector<PropertyItem*>& items = sections_[static_cast<size_t>(sectionId)].items;
    const auto at = std::lower_bound(items.begin(), items.end(), item->label,
                                     [](const PropertyItem* a, const std::string& label) { return a->label < label; });
    if (at != items.end() && (*at)->label == item->label) return -1;
    item->id = static_cast<int>(items_.size());
    item->section = sectionId;
    items.insert(at, item.get());
    items_.push_back(std::move(item));
    Relayout();
    return items_.back()->id;
}

int PropertyGridModel::AddStringItem(int section, std::string label, std::string text, bool editable)
{
    auto item = std::make_unique<PropertyItem>();
    item->kind = PropertyKind::String;
    item->label = std::move(label);
    item->text = std::move(text);
    item->editable = editable;
    return AddItem(section, std::move(item));
}

int PropertyGridModel::AddTextItem(int section, std::string label, std::string text, bool editable)
{
    auto item = std::make_unique<PropertyItem>();
    item->kind = PropertyKind::Text;
    item->label = std::move(label);
    item->text = std::move(text);
    item->editable = editable;
    return AddItem(section, std::move(item));
}

int PropertyGridModel::AddIntegerItem(int section, std::string label, int32_t value, std::string format,
                                      bool editable)
{
    auto item = std::make_unique<PropertyItem>();
    item->kind = PropertyKind::Integer;
    item->label = std::move(label);
    item->number = value;
    item->format = std::move(format);
    item->editable = editable;
    return AddItem(section, std::move(item));
}

int PropertyGridModel::AddComboItem(int section, std::string label, std::vector<std::string> options,
                                    int selected, bool editable)
{
    auto item = std::make_unique<PropertyItem>();
    item->kind = PropertyKind::Choice;
    item->label = std::move(label);
    item->options = std::move(options);
    item->number = selected;
    item->editable = editable;
    return AddItem(section, std::move(item));
}

int PropertyGridModel::AddBoolItem(int section, std::string label, bool value, bool editable)
{
    auto item = std::make_unique<PropertyItem>();
    item->kind = PropertyKind::Bool;
    item->label = std::move(label);
    item->flag = value;
    item->editable = editable;
    return AddItem(section, std::move(item));
}

void PropertyGridModel::ResetContents()
{
    const GridEditor open = editor_;
    editor_ = GridEditor::None;
    editorItem_ = -1;
    armedItem_ = -1;
    draggingDivider_ = false;
    if (open == GridEditor::InPlace || open == GridEditor::DropDown) {
        if (host_) host_->CloseEditor();  // its answer finds no editor open and is dropped
    }
    ++generation_;
    sections_.clear();
    items_.clear();
    focus_ = GridFocus();
    scrollTop_ = 0;
    Relayout();
}

const PropertySection* PropertyGridModel::FindSection(int id) const
{
    return id >= 0 && static_cast<size_t>(id) < sections_.size() ? &sections_[static_cast<size_t>(id)] : nullptr;
}

const PropertyItem* PropertyGridModel::FindItem(int id) const
{
    return id >= 0 && static_cast<size_t>(id) < items_.size() ? items_[static_cast<size_t>(id)].get() : nullptr;
}

PropertyItem* PropertyGridModel::Item(int id)
{
    return id >= 0 && static_cast<size_t>(id) < items_.size() ? items_[static_cast<size_t>(id)].get() : nullptr;
}

bool PropertyGridModel::GetItemText(int id, std::string& text) const
{
    const PropertyItem* item = FindItem(id);
    if (!item) return false;
    switch (item->kind) {
    case PropertyKind::String:
    case PropertyKind::Text: text = item->text; return true;
    case PropertyKind::Choice:
        if (DropDownIndex(*item) < 0) return false;
        text = item->options[static_cast<size_t>(item->number)];
        return true;
    default: return false;
    }
}

bool PropertyGridModel::GetItemInteger(int id, int32_t& value) const
{
    const PropertyItem* item = FindItem(id);
    if (!item || (item->kind != PropertyKind::Integer && item->kind != PropertyKind::Choice)) return false;
    value = item->number;
    return true;
}

bool PropertyGridModel::GetItemBool(int id, bool& value) const
{
    const PropertyItem* item = FindItem(id);
    if (!item || item->kind != PropertyKind::Bool) return false;
    value = item->flag;
    return true;
}

bool PropertyGridModel::SetItemText(int id, std::string text)
{
    PropertyItem* item = Item(id);
    if (!item || (item->kind != PropertyKind::String && item->kind != PropertyKind::Text)) return false;
    item->text = std::move(text);
    Repaint();
    return true;
}

bool PropertyGridModel::SetItemInteger(int id, int32_t value)
{
    PropertyItem* item = Item(id);
    if (!item || (item->kind != PropertyKind::Integer && item->kind != PropertyKind::Choice)) return false;
    item->number = value;
    Repaint();
    return true;
}

bool PropertyGridModel::SetItemBool(int id, bool value)
{
    PropertyItem* item = Item(id);
    if (!item || item->kind != PropertyKind::Bool) return false;
    item->flag = value;
    Repaint();
    return true;
}
