#include "goose/mapping_command.h"

#include "core/user_interface.h"
#include "core/varnholt_doc.h"
#include "goose/extref_writer.h"
#include "goose/goose_model_build.h"
#include "goose/signal_references.h"
#include "tree/item_access.h"
#include "tree/item_labels.h"
#include "tree/varnholt_view.h"

#include <map>
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

}  // namespace

// One IED per access point, however many subnetworks it is connected to: the
// subnetworks are gathered, and each input is listed once.
std::unique_ptr<CMappingDialog> OpenMappingDialog(const CVarnholtView& view, std::string& refusal)
{
    std::vector<MappingIed> ieds;
    std::map<std::pair<std::string, std::string>, size_t> byAccessPoint;
    bool outputs = false, inputs = false;
    for (TreeItem* item : ConnectedAPItems(view)) {
        const std::string subNetwork(ItemName(view, item->Parent()));
        auto key = std::make_pair(std::string(ItemAttribute(view, item, "iedName")),
                                  std::string(ItemAttribute(view, item, "apName")));
        if (auto known = byAccessPoint.find(key); known != byAccessPoint.end()) {
            ieds[known->second].subNetworks.insert(subNetwork);
            continue;
        }
        auto ied = std::make_unique<CGooseIed>();
        if (!BuildGooseIed(view, item, *ied, true)) continue;
        for (const auto& ldevice : ied->logicalDevices) {
            outputs = outputs || !ldevice->datasets.empty();
            inputs = inputs || !ldevice->inputs.empty();
        }
        byAccessPoint.emplace(key, ieds.size());
        ieds.push_back({std::move(ied), {subNetwork}});
    }
    if (!outputs || !inputs) {
        refusal = "There are no GOOSE producers or no inputs in the configuration";
        return nullptr;
    }
    return std::make_unique<CMappingDialog>(std::move(ieds));
}

std::vector<std::string> WriteMappingBack(CVarnholtView& view, const CMappingDialog& dialog)
{
    std::vector<std::string> lines;
    for (CGooseInput* input : dialog.ChangedInputs()) {
        TreeItemRecord* record = view.Record(input->item);
        if (!record || !WriteExtRef(*input, record->node)) continue;
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
