#include "property_view/property_view_logic.h"

#include "datasets/dataset_choice.h"
#include "document/user_interface.h"
#include "document/varnholt_doc.h"
#include "project_tree/item_labels.h"
#include "project_tree/varnholt_view.h"
#include "property_grid/property_grid_model.h"
#include "property_grid/value_text.h"
#include "property_view/property_values.h"

namespace {

// The row's value as it is written into the document.
std::optional<std::string> RowValue(const PropertyGridModel& grid, int itemId, ValueKind kind)
{
    std::string text;
    int32_t number = 0;
    bool flag = false;
    switch (kind) {
    case ValueKind::YesNo:
        if (!grid.GetItemBool(itemId, flag)) return std::nullopt;
        return YesNoText(flag);
    case ValueKind::WholeNumber:
        if (!grid.GetItemInteger(itemId, number)) return std::nullopt;
        return std::to_string(number);
    case ValueKind::Text:
    case ValueKind::DatasetChoice:
        if (!grid.GetItemText(itemId, text)) return std::nullopt;
        return text;
    }
    return std::nullopt;
}

}  // namespace

PropertyViewLogic::PropertyViewLogic(CVarnholtView& view, PropertyGridModel& grid, UserInterface& ui)
    : doc_(view.Document()), view_(view), grid_(grid), ui_(ui)
{
    doc_.AddView(this);
}

PropertyViewLogic::~PropertyViewLogic()
{
    doc_.RemoveView(this);
}

void PropertyViewLogic::Refresh()
{
    grid_.ResetContents();
    edits_.clear();
    const TreeItemRecord* record = view_.SelectedRecord();
    shown_ = record ? record->node : nullptr;
    if (record) FillPropertyRows(grid_, doc_, *record, edits_);
}

PropertyViewLogic::EditOutcome PropertyViewLogic::OnItemChanged(int itemId)
{
    const auto found = edits_.find(itemId);
    if (found == edits_.end()) return EditOutcome::Ignored;
    const EditEntry entry = found->second;

    const TreeItemRecord* record = view_.SelectedRecord();
    std::optional<EditTarget> target;
    if (record && record->node == shown_) target = EditTarget::Resolve(record->node, entry);
    if (!target) {
        // The document changed below the rows without telling the views.
        Refresh();
        return EditOutcome::Ignored;
    }

    const std::optional<std::string> old = target->Read();
    const std::optional<std::string> value = RowValue(grid_, itemId, entry.kind);
    if (!value) return EditOutcome::Ignored;
    if (*value == old.value_or("")) return EditOutcome::Unchanged;

    const bool removesDataset = entry.kind == ValueKind::DatasetChoice && value->empty();
    if (IsXmlText(*value)) {
        const PropertyItem* row = grid_.FindItem(itemId);
        const std::string label = !entry.attribute.empty() ? entry.attribute : row ? row->label : "value";
        ChangeStep step(doc_.Changes(), "Edit property " + label);
        doc_.Changes().CheckedByItself();  // the edited element is checked below
        target->Write(doc_.Changes(), removesDataset ? std::nullopt : value);
        if (doc_.ValidateElement(record->node)) {
            view_.SetLabel(view_.Selected(), MakeMarkedItemLabel(*record));
            doc_.SetModifiedFlag(true);
            return EditOutcome::Written;
        }
        step.Abandon();
        target->MarkAsRead();
    }
    // Both are put back before the message, which may run an event loop.
    PutBackInRow(itemId, entry, old.value_or(""));
    ReportIllegalValue(*value);
    return EditOutcome::Refused;
}

void PropertyViewLogic::PutBackInRow(int itemId, const EditEntry& entry, const std::string& value)
{
    switch (entry.kind) {
    case ValueKind::YesNo:
        grid_.SetItemBool(itemId, ReadYesNo(value));
        break;
    case ValueKind::WholeNumber:
        grid_.SetItemInteger(itemId, ReadLeadingInteger(value));
        break;
    case ValueKind::Text:
        grid_.SetItemText(itemId, value);
        break;
    case ValueKind::DatasetChoice:
        if (const PropertyItem* item = grid_.FindItem(itemId))
            grid_.SetItemInteger(itemId, ChoiceIndex(item->options, value));
        break;
    }
}

void PropertyViewLogic::ReportIllegalValue(const std::string& value)
{
    ui_.ShowMessage("Edit property", "Illegal value " + value, MessageIcon::Error, MessageButtons::Ok);
}

void PropertyViewLogic::SetDisplayMode(int mode)
{
    grid_.SetDisplayMode(mode);
}

int PropertyViewLogic::DisplayMode() const
{
    return grid_.DisplayMode();
}
