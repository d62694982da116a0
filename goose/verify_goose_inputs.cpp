#include "goose/verify_goose_inputs.h"

#include "document/log_dialogs.h"
#include "goose/access_point_inputs.h"
#include "goose/goose_message_params.h"
#include "goose/input_type_check.h"
#include "goose/source_control.h"
#include "project_tree/item_access.h"
#include "project_tree/scl_lookups.h"

#include <algorithm>
#include <optional>

namespace {

// The MACs of the messages that publish the input's source (of the control block it
// names, when it names one); a control block whose parameters cannot all be read has
// no say.
std::vector<uint64_t> PublishingMacs(const CVarnholtView& view, const TreeItem* extRef)
{
    std::vector<uint64_t> macs;
    for (const ExtRefPublisher& publisher : FindInputPublishers(view, extRef)) {
        GooseMessageParams params = ComputeGooseMessageParams(view, extRef, publisher.control);
        if (params.valid) macs.push_back(params.mac);
    }
    return macs;
}

}  // namespace

void VerifyAccessPointInputs(const CVarnholtView& view, const TreeItem* ied, const std::vector<TreeItem*>& inputs,
                             std::vector<std::string>& log)
{
    std::string iedName(ItemName(view, ied));
    for (const TreeItem* input : inputs)
        if (!IsInputTypeCompatible(view, input))
            log.push_back("Type of ExtRef: " + iedName + "." + ExtRefLabel(view, input) + " is invalid");

    // The inputs of an access point are expected on one MAC: the first one published
    // sets it, and an input published on several messages passes when one of them uses it.
    std::optional<uint64_t> expected;
    for (const TreeItem* input : inputs) {
        std::vector<uint64_t> macs = PublishingMacs(view, input);
        if (macs.empty()) continue;
        if (!expected) {
            expected = macs.front();
        } else if (std::find(macs.begin(), macs.end(), *expected) == macs.end()) {
            log.push_back("GOOSE producer of ExtRef: " + iedName + "." + ExtRefLabel(view, input) +
                          " has other MAC address than previous ExtRefs");
        }
    }
}

std::vector<std::string> VerifyGooseInputs(const CVarnholtView& view)
{
    std::vector<std::string> log;
    for (const TreeItem* ied = view.FirstRootItem(); ied; ied = ied->NextSibling()) {
        const TreeItemRecord* record = view.Record(ied);
        if (!record || record->kind != kKindIED || !(record->markers & kMarkerInputs)) continue;
        for (const TreeItem* accessPoint = ied->FirstChild(); accessPoint; accessPoint = accessPoint->NextSibling()) {
            if (!IsItemOfKind(view, accessPoint, kKindAccessPoint)) continue;
            std::vector<TreeItem*> inputs = CollectAccessPointInputs(view, accessPoint);
            if (!inputs.empty()) VerifyAccessPointInputs(view, ied, inputs, log);
        }
    }
    return log;
}

void OnVerifyGooseInputs(const CVarnholtView& view, UserInterface& ui)
{
    std::vector<std::string> log = VerifyGooseInputs(view);
    if (log.empty()) {
        ui.ShowMessage("Verify GOOSE Inputs", "GOOSE Inputs are correctly configured", MessageIcon::Information,
                       MessageButtons::Ok);
        return;
    }
    CVerifyDialog dialog(std::move(log));
    ui.RunDialog(dialog);
}
