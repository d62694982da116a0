#include "property_grid/property_grid_model.h"

#include "property_grid/value_text.h"

bool PropertyGridModel::OpensEditorAt(const PropertyItem& item, GridPart part) const
{
    if (!item.editable) return false;
    return item.kind == PropertyKind::Text ? part == GridPart::Button : part == GridPart::Value;
}

void PropertyGridModel::MousePress(int x, int y)
{
    CloseEditor();
    armedItem_ = -1;
    // Hit after closing: taking the editor's text may have changed the rows.
    const GridHit hit = HitTest(x, y);
    const GridRow row = hit.row >= 0 ? Row(hit.row) : GridRow();
    switch (hit.part) {
    case GridPart::None: SetFocus(GridFocus()); break;
    case GridPart::Divider: draggingDivider_ = true; break;
    case GridPart::SectionBox:
        SetFocus(GridFocus::Section(row.section));
        ToggleSection(row.section);
        break;
    case GridPart::SectionHeader: SetFocus(GridFocus::Section(row.section)); break;
    case GridPart::Label:
    case GridPart::Value:
    case GridPart::Button:
        SetFocus(GridFocus::Item(row.item));
        if (OpensEditorAt(*FindItem(row.item), hit.part)) armedItem_ = row.item;
        break;
    }
}

void PropertyGridModel::MouseMove(int x, int /*y*/)
{
    if (draggingDivider_) MoveDivider(x);
}

void PropertyGridModel::MouseRelease()
{
    draggingDivider_ = false;
    const int armed = armedItem_;
    armedItem_ = -1;
    if (armed >= 0) Open(armed);
}

void PropertyGridModel::DoubleClick(int x, int y)
{
    CloseEditor();
    armedItem_ = -1;
    const GridHit hit = HitTest(x, y);
    const GridRow row = hit.row >= 0 ? Row(hit.row) : GridRow();
    switch (hit.part) {
    case GridPart::None: SetFocus(GridFocus()); return;
    case GridPart::Divider: return;
    case GridPart::SectionBox:
    case GridPart::SectionHeader:
        SetFocus(GridFocus::Section(row.section));
        ToggleSection(row.section);
        return;
    default: break;
    }
    SetFocus(GridFocus::Item(row.item));
    PropertyItem& item = *Item(row.item);
    if (!item.editable) return;
    switch (item.kind) {
    case PropertyKind::Bool: item.flag = !item.flag; break;
    case PropertyKind::Choice:
        if (item.options.empty()) return;
        item.number = DropDownIndex(item) + 1 < static_cast<int>(item.options.size()) ? DropDownIndex(item) + 1 : 0;
        break;
    case PropertyKind::Text: RunTextDialog(item); return;
    default:
        if (OpensEditorAt(item, hit.part)) armedItem_ = item.id;
        return;
    }
    Repaint();
    Notify(item.id);
}

void PropertyGridModel::Open(int itemId)
{
    PropertyItem* item = Item(itemId);
    if (!item || !item->editable || editor_ != GridEditor::None) return;
    switch (item->kind) {
    case PropertyKind::String:
    case PropertyKind::Integer:
        editor_ = GridEditor::InPlace;
        editorItem_ = itemId;
        if (host_) host_->OpenInPlaceEdit(itemId, InPlaceEditText(*item));
        break;
    case PropertyKind::Choice:
    case PropertyKind::Bool:
        editor_ = GridEditor::DropDown;
        editorItem_ = itemId;
        if (host_) host_->OpenDropDown(itemId, DropDownOptions(*item), DropDownIndex(*item));
        break;
    case PropertyKind::Text: RunTextDialog(*item); break;
    }
}

void PropertyGridModel::RunTextDialog(PropertyItem& item)
{
    const int id = item.id;
    const std::string title = item.label;
    const std::string original = item.text;
    std::string text = ToEditFieldText(original);
    const uint64_t generation = generation_;
    editor_ = GridEditor::TextDialog;
    editorItem_ = id;
    const bool accepted = host_ && host_->EditText(title, text);
    editor_ = GridEditor::None;
    editorItem_ = -1;
    // The dialog runs its own event loop, in which the grid may have been emptied.
    PropertyItem* edited = generation == generation_ ? Item(id) : nullptr;
    if (!accepted || !edited) return;
    edited->text = FromEditFieldText(text, original);
    Repaint();
    Notify(id);
}

void PropertyGridModel::CloseEditor()
{
    if (editor_ == GridEditor::None || editor_ == GridEditor::TextDialog) return;
    if (host_) host_->CloseEditor();
    editor_ = GridEditor::None;
    editorItem_ = -1;
}

void PropertyGridModel::EndInPlaceEdit(const std::string& text)
{
    if (editor_ != GridEditor::InPlace) return;
    PropertyItem* item = Item(editorItem_);
    editor_ = GridEditor::None;
    editorItem_ = -1;
    if (!item) return;
    if (item->kind == PropertyKind::String) {
        item->text = text;
    } else {
        if (text.empty()) return;
        item->number = ReadLeadingInteger(text);
    }
    Repaint();
    Notify(item->id);
}

void PropertyGridModel::EndDropDown(int index)
{
    if (editor_ != GridEditor::DropDown) return;
    PropertyItem* item = Item(editorItem_);
    editor_ = GridEditor::None;
    editorItem_ = -1;
    if (!item || index < 0 || index >= static_cast<int>(DropDownOptions(*item).size())) return;
    if (item->kind == PropertyKind::Bool)
        item->flag = index == 0;
    else
        item->number = index;
    Repaint();
    Notify(item->id);
}
