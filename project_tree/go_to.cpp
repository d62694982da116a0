#include "project_tree/go_to.h"

#include "document/command_ids.h"
#include "project_tree/go_selection_dialog.h"
#include "project_tree/item_access.h"
#include "project_tree/scl_lookups.h"

#include <string>
#include <vector>

namespace {

struct Candidate {
    TreeItem* item;
    std::string choice;
};

// One candidate is the target; several are offered in the dialog. With `askWhenNone`
// the dialog also opens on an empty list.
TreeItem* Choose(const std::vector<Candidate>& candidates, const std::string& prompt, bool askWhenNone,
                 UserInterface& ui)
{
    if (candidates.size() == 1) return candidates.front().item;
    if (candidates.empty() && !askWhenNone) return nullptr;
    CGoSelectionDialog dialog;
    dialog.SetPrompt(prompt);
    for (const Candidate& candidate : candidates) dialog.AddChoice(candidate.choice);
    if (!ui.RunDialog(dialog)) return nullptr;
    int index = dialog.SelectedIndex();
    if (index < 0 || static_cast<size_t>(index) >= candidates.size()) return nullptr;
    return candidates[static_cast<size_t>(index)].item;
}

std::string NameText(const CVarnholtView& view, const TreeItem* item)
{
    return std::string(ItemName(view, item));
}

TreeItem* AccessPointOfConnectedAP(const CVarnholtView& view, const TreeItem* connectedAP)
{
    TreeItem* ied = FindIEDItem(view, ItemAttribute(view, connectedAP, "iedName"));
    return FindAccessPointItem(view, ied, ItemAttribute(view, connectedAP, "apName"));
}

TreeItem* DatasetOfControlBlock(const CVarnholtView& view, const TreeItem* control)
{
    return FindDataSetItem(view, control->Parent(), ItemAttribute(view, control, "datSet"));
}

// FCDA, DataSet, LN, LDevice, Server: the data is looked for in the dataset's server.
TreeItem* DataOfFCDA(const CVarnholtView& view, const TreeItem* fcda)
{
    const xmlNode* e = ItemElement(view, fcda);
    std::string ln = std::string(GetAttribute(e, "prefix")) + GetAttribute(e, "lnClass") + GetAttribute(e, "lnInst");
    return FindDataItem(view, AncestorOf(fcda, 4), GetAttribute(e, "ldInst"), ln, GetAttribute(e, "doName"),
                        GetAttribute(e, "daName"));
}

TreeItem* ControlBlockOfDataset(const CVarnholtView& view, const TreeItem* dataset, UserInterface& ui)
{
    std::string_view name = ItemName(view, dataset);
    std::vector<Candidate> candidates;
    for (TreeItem* item = dataset->Parent() ? dataset->Parent()->FirstChild() : nullptr; item;
         item = item->NextSibling()) {
        bool report = IsItemOfKind(view, item, kKindReportControl);
        if (!report && !IsItemOfKind(view, item, kKindGSEControl)) continue;
        if (ItemAttribute(view, item, "datSet") != name) continue;
        candidates.push_back({item, (report ? "RCB: " : "GCB: ") + NameText(view, item)});
    }
    return Choose(candidates, "Select CB associated with a dataset " + std::string(name), false, ui);
}

TreeItem* ControlBlockOfExtRef(const CVarnholtView& view, const TreeItem* extRef, UserInterface& ui)
{
    std::vector<Candidate> candidates;
    for (const ExtRefPublisher& publisher : FindExtRefPublishers(view, extRef))
        candidates.push_back({publisher.control, "GCB: " + NameText(view, publisher.control)});
    return Choose(candidates, "Select GCB associated with external reference", true, ui);
}

// GOOSE Address, GSE, ConnectedAP: the control block in the LLN0 of the GSE's
// logical device.
TreeItem* ControlBlockOfGooseAddress(const CVarnholtView& view, const TreeItem* address)
{
    TreeItem* gse = address->Parent();
    TreeItem* accessPoint = AccessPointOfConnectedAP(view, AncestorOf(address, 2));
    TreeItem* ln0 = FindLNItem(view, FindLDeviceItem(view, accessPoint, ItemAttribute(view, gse, "ldInst")), "LLN0");
    return FindGSEControlItem(view, ln0, ItemAttribute(view, gse, "cbName"));
}

TreeItem* DatasetElementOfExtRef(const CVarnholtView& view, const TreeItem* extRef, UserInterface& ui)
{
    std::vector<Candidate> candidates;
    for (const ExtRefPublisher& publisher : FindExtRefPublishers(view, extRef))
        candidates.push_back({publisher.fcda, "FCDA from DS: " + NameText(view, publisher.fcda->Parent())});
    return Choose(candidates, "Select dataset element associated with external reference", false, ui);
}

TreeItem* AddressOfAccessPoint(const CVarnholtView& view, const TreeItem* accessPoint)
{
    return FindConnectedAPItem(view, ItemName(view, accessPoint->Parent()), ItemName(view, accessPoint));
}

// GSEControl, LN0, LDevice, Server, AccessPoint, IED.
TreeItem* AddressOfGSEControl(const CVarnholtView& view, const TreeItem* control)
{
    TreeItem* connectedAP =
        FindConnectedAPItem(view, ItemName(view, AncestorOf(control, 5)), ItemName(view, AncestorOf(control, 4)));
    return FindGSEAddressItem(view, connectedAP, ItemAttribute(view, AncestorOf(control, 2), "inst"),
                              ItemName(view, control));
}

TreeItem* Target(CVarnholtView& view, int commandId, const TreeItem* from, int32_t kind, UserInterface& ui)
{
    switch (commandId) {
    case kCmdGoToAccessPoint:
        return AccessPointOfConnectedAP(view, from);
    case kCmdGoToDataset:
        return DatasetOfControlBlock(view, from);
    case kCmdGoToDataElement:
        return kind == kKindFCDA ? DataOfFCDA(view, from) : FindExtRefSourceItem(view, from);
    case kCmdGoToControlBlock:
        if (kind == kKindDataSet) return ControlBlockOfDataset(view, from, ui);
        if (kind == kKindExtRef) return ControlBlockOfExtRef(view, from, ui);
        return ControlBlockOfGooseAddress(view, from);
    case kCmdGoToAddress:
        return kind == kKindAccessPoint ? AddressOfAccessPoint(view, from) : AddressOfGSEControl(view, from);
    case kCmdGoToDatasetElement:
        return DatasetElementOfExtRef(view, from, ui);
    default:
        return nullptr;
    }
}

}  // namespace

bool OnGoToCommand(CVarnholtView& view, int commandId, UserInterface& ui)
{
    const TreeItemRecord* record = view.SelectedRecord();
    if (!record || !view.IsCommandEnabled(commandId)) return false;
    TreeItem* target = Target(view, commandId, view.Selected(), record->kind, ui);
    if (!target) return false;
    view.Select(target);
    return true;
}
