#include "goose/mapping_command.h"

#include "document/user_interface.h"
#include "document/varnholt_doc.h"
#include "goose/extref_writer.h"
#include "goose/goose_model_build.h"
#include "goose/signal_references.h"
#include "project_tree/item_access.h"
#include "project_tree/item_labels.h"
#include "project_tree/varnholt_view.h"

#include <map>
#include <set>
#include <utility>

namespace {

void WriteNodes(const std::vector<std::unique_ptr<MappingNode>>& nodes, int depth, std::string& text)
{
    for (const auto& node : nodes) {
        text += std::string(static_cast<size_t>(2 * depth), ' ') + node->text + "\n";
        WriteNodes(node->children, depth + 1, text);
    }
}

// ConnectedAP items stand only below the subnetworks of the Communication items:
// the IEDs' data items below need no walk.
std::vector<TreeItem*> ConnectedAPItems(const CVarnholtView& view)
{
    std::vector<TreeItem*> items;
    for (TreeItem* root = view.FirstRootItem(); root; root = root->NextSibling()) {
        if (!IsItemOfKind(view, root, kKindCommunication)) continue;
        for (TreeItem* network = root->FirstChild(); network; network = network->NextSibling())
            for (TreeItem* item = network->FirstChild(); item; item = item->NextSibling())
                if (IsItemOfKind(view, item, kKindConnectedAP)) items.push_back(item);
    }
    return items;
}

std::string InputName(const CGooseInput& input)
{
    const CGooseLDevice* ldevice = input.owner;
    return (ldevice && ldevice->owner ? ldevice->owner->name : std::string()) + "/" +
           (ldevice ? ldevice->inst : std::string()) + "/" + InternalSignalName(input.intAddr);
}

// The refusals of the window, by the part of the project that is missing.
const char* const kNoInputs =
    "There are no GOOSE producers or no inputs in the configuration: no input has an internal address";
const char* const kNoProducers =
    "There are no GOOSE producers or no inputs in the configuration: no other IED publishes GOOSE on a subnetwork "
    "that an access point with inputs is connected to";

bool HasAddressedInputs(const CGooseIed& ied)
{
    for (const auto& ldevice : ied.logicalDevices)
        for (const auto& input : ldevice->inputs)
            if (!input->intAddr.empty()) return true;
    return false;
}

// Whether `publisher` sends a GOOSE message on one of the receiver's subnetworks.
bool PublishesTo(const MappingIed& publisher, const MappingIed& receiver)
{
    if (publisher.ied->name == receiver.ied->name) return false;
    for (const auto& ldevice : publisher.ied->logicalDevices)
        for (const auto& dataset : ldevice->datasets)
            if (receiver.subNetworks.count(dataset->controls.front()->subNetwork)) return true;
    return false;
}

// "" when an input with an internal address has a publisher it can reach.
const char* MissingPart(const std::vector<MappingIed>& ieds)
{
    bool inputs = false;
    for (const MappingIed& receiver : ieds) {
        if (!HasAddressedInputs(*receiver.ied)) continue;
        inputs = true;
        for (const MappingIed& publisher : ieds)
            if (PublishesTo(publisher, receiver)) return "";
    }
    return inputs ? kNoProducers : kNoInputs;
}

}  // namespace

// One IED per access point, however many subnetworks it is connected to: the
// subnetworks are gathered, and each input is listed once.
std::unique_ptr<CMappingDialog> OpenMappingDialog(const CVarnholtView& view, std::string& refusal)
{
    std::vector<ConnectedAPs> accessPoints;
    std::map<std::pair<std::string, std::string>, size_t> byAccessPoint;
    for (TreeItem* item : ConnectedAPItems(view)) {
        auto key = std::make_pair(std::string(ItemAttribute(view, item, "iedName")),
                                  std::string(ItemAttribute(view, item, "apName")));
        auto [known, added] = byAccessPoint.emplace(key, accessPoints.size());
        if (added) accessPoints.emplace_back();
        accessPoints[known->second].push_back(item);
    }
    std::vector<MappingIed> ieds;
    for (const ConnectedAPs& connectedAPs : accessPoints) {
        auto ied = std::make_unique<CGooseIed>();
        if (!BuildGooseIed(view, connectedAPs, *ied, true)) continue;
        std::set<std::string> subNetworks;
        for (const TreeItem* item : connectedAPs) subNetworks.insert(std::string(ItemName(view, item->Parent())));
        ieds.push_back({std::move(ied), std::move(subNetworks)});
    }
    const char* missing = MissingPart(ieds);
    auto dialog = std::make_unique<CMappingDialog>(std::move(ieds));
    // Inputs already wired, with or without an internal address, are worth showing.
    if (!*missing || !dialog->Roots(MappingTree::Mapping).empty()) return dialog;
    refusal = missing;
    return nullptr;
}

std::vector<std::string> WriteMappingBack(CVarnholtView& view, const CMappingDialog& dialog)
{
    std::vector<std::string> lines;
    const SclEdition edition = view.Document().Edition();
    ChangeStep step(view.Document().Changes(), "GOOSE Mapping");
    for (CGooseInput* input : dialog.ChangedInputs()) {
        TreeItemRecord* record = view.Record(input->item);
        if (!record) continue;
        bool written = WriteExtRef(*input, record->node, edition);
        // A disconnected input keeps no empty ldInst, prefix or lnInst.
        if (input->iedName.empty()) written = RemoveExternalReference(record->node) || written;
        if (!written) continue;
        view.SetLabel(input->item, MakeMarkedItemLabel(*record));
        lines.push_back(InputName(*input) + ": " + (input->iedName.empty() ? "disconnected" : InputReference(*input)));
    }
    if (lines.empty()) return lines;
    CVarnholtDoc& doc = view.Document();
    if (view.SelectedRecord() && view.SelectedRecord()->kind == kKindExtRef) doc.UpdateAllViews(nullptr);
    doc.SetModifiedFlag(true);
    return lines;
}

void OnGooseMapping(CVarnholtView& view, UserInterface& ui)
{
    std::string refusal;
    std::unique_ptr<CMappingDialog> dialog = OpenMappingDialog(view, refusal);
    if (!dialog) {
        ui.ShowMessage(CMappingDialog::MessageTitle(), refusal, MessageIcon::Warning, MessageButtons::Ok);
        return;
    }
    if (std::string message = dialog->StartupMessage(); !message.empty())
        ui.ShowMessage(CMappingDialog::MessageTitle(), message, MessageIcon::Warning, MessageButtons::Ok);
    if (ui.RunDialog(*dialog)) WriteMappingBack(view, *dialog);
}

std::string MappingOutline(const CMappingDialog& dialog)
{
    std::string text;
    const std::pair<const char*, MappingTree> trees[] = {
        {"Outputs:", MappingTree::Outputs}, {"Inputs:", MappingTree::Inputs}, {"Mapping:", MappingTree::Mapping}};
    for (const auto& [title, tree] : trees) {
        text += std::string(title) + "\n";
        WriteNodes(dialog.Roots(tree), 1, text);
    }
    return text;
}
