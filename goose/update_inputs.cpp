#include "goose/update_inputs.h"

#include "document/log_dialogs.h"
#include "document/varnholt_doc.h"
#include "goose/access_point_inputs.h"
#include "goose/goose_message_params.h"
#include "goose/input_match.h"
#include "goose/source_control.h"
#include "goose/verify_goose_inputs.h"
#include "project_tree/item_access.h"
#include "project_tree/item_labels.h"
#include "project_tree/scl_lookups.h"

namespace {

bool IsConsistent(const CVarnholtView& view, const TreeItem* extRef, const ConnectedAddress& address)
{
    if (address.gooseId.empty()) return false;
    for (const ExtRefPublisher& publisher : FindInputPublishers(view, extRef)) {
        GooseMessageParams params = ComputeGooseMessageParams(view, extRef, publisher.control);
        if (params.mac == address.mac && params.appId == address.appId && params.confRev == address.confRev &&
            params.index == address.index && params.gooseId == address.gooseId)
            return true;
    }
    return false;
}

void Relabel(CVarnholtView& view, TreeItem* extRef)
{
    view.SetLabel(extRef, MakeMarkedItemLabel(*view.Record(extRef)));
}

// The data the ExtRef names exists and, when it names the control block that publishes
// it, that control block does.
bool HasSource(const CVarnholtView& view, const TreeItem* extRef)
{
    if (!FindExtRefSourceItem(view, extRef)) return false;
    return !ReadSourceControl(ItemElement(view, extRef)) || !FindInputPublishers(view, extRef).empty();
}

// True when the ExtRef changed. In a 2007B or later project the control block that
// publishes a created reference is written with it.
bool UpdateInput(CVarnholtView& view, const std::vector<MatchCandidate>& candidates, TreeItem* extRef,
                 std::vector<std::string>& log)
{
    xmlNode* element = view.Record(extRef)->node;
    const std::string intAddr = GetAttribute(element, "intAddr");
    bool hasSource = HasSource(view, extRef);
    std::optional<ConnectedAddress> address = ParseConnectedAddress(intAddr);
    // A reference that cannot be confirmed is reported but kept: its source may be
    // added to the project later, and the file's wiring is never lost.
    if (!address) {
        if (hasSource || !HasExternalReference(element)) return false;
        log.push_back("Error: External reference for input " + intAddr + " is invalid");
        return false;
    }
    if (hasSource && IsConsistent(view, extRef, *address)) return false;

    MatchResult match = MatchConnectedAddress(view, candidates, *address);
    for (int extra = 1; extra < match.matches; ++extra)
        log.push_back("Error: multiple matching configurations found for input " + intAddr);
    if (match.matches == 0 || (match.matches == 1 && !match.found))
        log.push_back("Error: no match found for input " + intAddr);
    if (!match.found) return false;
    log.push_back("Information: external reference created for input " + intAddr);
    bool changed = WriteExternalReference(element, match.reference);
    if (view.Document().Edition() != SclEdition::Ed2003)
        changed = WriteSourceControl(element, match.control) || changed;
    Relabel(view, extRef);
    return changed;
}

}  // namespace

bool UpdateAccessPointInputs(CVarnholtView& view, const std::string& ownIedName, const TreeItem* subNetwork,
                             const std::vector<TreeItem*>& inputs, std::vector<std::string>& log)
{
    std::vector<MatchCandidate> candidates = CollectMatchCandidates(view, ownIedName, subNetwork);
    bool changed = false;
    for (TreeItem* extRef : inputs) changed = UpdateInput(view, candidates, extRef, log) || changed;
    return changed;
}

InputUpdateResult UpdateIedInputs(CVarnholtView& view, std::string_view iedName)
{
    InputUpdateResult result;
    const TreeItem* ied = FindIEDItem(view, iedName);
    const TreeItemRecord* record = view.Record(ied);
    if (!record || !(record->markers & kMarkerInputs)) return result;
    std::string ownName(iedName);
    ChangeStep step(view.Document().Changes(), "Update Inputs");
    for (const TreeItem* accessPoint = ied->FirstChild(); accessPoint; accessPoint = accessPoint->NextSibling()) {
        if (!IsItemOfKind(view, accessPoint, kKindAccessPoint)) continue;
        std::vector<TreeItem*> inputs = CollectAccessPointInputs(view, accessPoint);
        if (inputs.empty()) continue;
        const TreeItem* subNetwork = FindSubNetworkOfConnectedAP(view, ownName, ItemName(view, accessPoint));
        result.changed = UpdateAccessPointInputs(view, ownName, subNetwork, inputs, result.log) || result.changed;
        VerifyAccessPointInputs(view, ied, inputs, result.log);
    }
    if (result.changed) view.Document().SetModifiedFlag(true);
    return result;
}

void UpdateIedInputs(CVarnholtView& view, std::string_view iedName, UserInterface& ui)
{
    InputUpdateResult result = UpdateIedInputs(view, iedName);
    if (result.log.empty()) return;
    CVerifyDialog dialog(std::move(result.log));
    ui.RunDialog(dialog);
}

void OnUpdateInputs(CVarnholtView& view, UserInterface& ui)
{
    const TreeItemRecord* record = view.SelectedRecord();
    if (!record || record->kind != kKindIED) return;
    UpdateIedInputs(view, GetAttribute(record->node, "name"), ui);
}
