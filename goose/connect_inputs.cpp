#include "goose/connect_inputs.h"

#include "document/command_ids.h"
#include "document/varnholt_doc.h"
#include "goose/extref_writer.h"
#include "goose/goose_model_build.h"
#include "goose/inputs_dialog.h"
#include "goose/source_control.h"
#include "project_tree/item_access.h"
#include "project_tree/item_labels.h"
#include "project_tree/scl_lookups.h"

#include <unordered_map>

namespace {

TreeItem* InputsItemOf(const CVarnholtView& view, TreeItem* selected)
{
    switch (view.Record(selected)->kind) {
    case kKindLN:
        for (TreeItem* item = selected->FirstChild(); item; item = item->NextSibling())
            if (IsItemOfKind(view, item, kKindInputs)) return item;
        return nullptr;
    case kKindExtRef:
        return IsItemOfKind(view, selected->Parent(), kKindInputs) ? selected->Parent() : nullptr;
    case kKindInputs:
        return selected;
    default:
        return nullptr;
    }
}

// "Edit inputs for IED/LD/prefix lnClass inst".
std::string DialogTitle(const CVarnholtView& view, const TreeItem* selected)
{
    std::string reference;
    for (const TreeItem* item = selected; item; item = item->Parent()) {
        const TreeItemRecord* record = view.Record(item);
        const xmlNode* e = record ? record->node : nullptr;
        if (record && record->kind == kKindLN)
            reference = std::string(GetAttribute(e, "prefix")) + GetAttribute(e, "lnClass") + GetAttribute(e, "inst");
        else if (record && record->kind == kKindLDevice)
            reference = GetAttribute(e, "inst") + ("/" + reference);
        else if (record && (record->kind == kKindIED || record->kind == kKindTimeServer))
            reference = GetAttribute(e, "name") + ("/" + reference);
    }
    return "Edit inputs for " + reference;
}

// The publishers connected to the same subnetwork as the receiving access point; no
// access point of the receiving IED itself is one.
std::vector<std::unique_ptr<CGooseIed>> RemoteIeds(const CVarnholtView& view, const TreeItem* inputs)
{
    std::vector<std::unique_ptr<CGooseIed>> ieds;
    const TreeItem* accessPoint = inputs->Parent();
    while (accessPoint && !IsItemOfKind(view, accessPoint, kKindAccessPoint)) accessPoint = accessPoint->Parent();
    if (!accessPoint) return ieds;
    std::string_view iedName = ItemName(view, accessPoint->Parent());
    const TreeItem* own = FindConnectedAPItem(view, iedName, ItemName(view, accessPoint));
    for (const TreeItem* item = own ? own->Parent()->FirstChild() : nullptr; item; item = item->NextSibling()) {
        const TreeItemRecord* record = view.Record(item);
        if (item == own || !record || record->kind != kKindConnectedAP || !(record->markers & kMarkerGoose)) continue;
        if (ItemAttribute(view, item, "iedName") == iedName) continue;
        auto ied = std::make_unique<CGooseIed>();
        if (BuildGooseIed(view, item, *ied)) ieds.push_back(std::move(ied));
    }
    return ieds;
}

// Each row goes back to the ExtRef it was read from, unless that ExtRef's internal
// address changed meanwhile.
bool WriteBack(CVarnholtView& view, const TreeItem* inputs, const CInputsDialog& dialog)
{
    std::unordered_map<const TreeItem*, const CGooseInput*> rows;
    for (const auto& input : dialog.Inputs()) rows.emplace(input->item, input.get());
    const SclEdition edition = view.Document().Edition();
    bool changed = false;
    for (TreeItem* item = inputs->FirstChild(); item; item = item->NextSibling()) {
        auto row = rows.find(item);
        TreeItemRecord* record = view.Record(item);
        if (row == rows.end() || !record || record->kind != kKindExtRef) continue;
        if (row->second->intAddr != GetAttribute(record->node, "intAddr")) continue;
        if (!WriteExtRef(*row->second, record->node, edition)) continue;
        view.SetLabel(item, MakeMarkedItemLabel(*record));
        changed = true;
    }
    return changed;
}

}  // namespace

bool OnConnectInputs(CVarnholtView& view, UserInterface& ui)
{
    TreeItem* selected = view.Selected();
    if (!view.IsCommandEnabled(kCmdConnectInputs)) return false;
    TreeItem* inputs = InputsItemOf(view, selected);
    if (!inputs) return false;
    std::vector<std::unique_ptr<CGooseInput>> records;
    for (TreeItem* item = inputs->FirstChild(); item; item = item->NextSibling())
        if (IsItemOfKind(view, item, kKindExtRef) && IsGooseInput(ItemElement(view, item)))
            records.push_back(MakeGooseInput(view, item));
    if (records.empty()) return false;
    std::vector<std::unique_ptr<CGooseIed>> remote = RemoteIeds(view, inputs);
    if (remote.empty()) {
        ui.ShowMessage("Connect Inputs", "There are no GOOSE producers in the configuration", MessageIcon::Warning,
                       MessageButtons::Ok);
        return false;
    }
    CInputsDialog dialog(DialogTitle(view, selected), std::move(remote), std::move(records));
    if (!ui.RunDialog(dialog)) return false;
    CVarnholtDoc& doc = view.Document();
    ChangeStep step(doc.Changes(), "Connect Inputs");
    if (!WriteBack(view, inputs, dialog)) return false;
    if (view.SelectedRecord() && view.SelectedRecord()->kind == kKindExtRef) doc.UpdateAllViews(nullptr);
    doc.SetModifiedFlag(true);
    return true;
}
