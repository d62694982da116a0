#include "structure/structure_edit.h"

#include "document/log_dialogs.h"
#include "document/tree_edit.h"
#include "document/user_interface.h"
#include "document/varnholt_doc.h"
#include "document/xml_access.h"
#include "document/xml_copy.h"
#include "goose/subscriber_inputs.h"
#include "project_tree/item_access.h"
#include "project_tree/item_labels.h"
#include "project_tree/scl_lookups.h"
#include "project_tree/varnholt_view.h"
#include "structure/add_timeserver_dialog.h"

#include <set>
#include <string>

namespace {

// Every control block of the logical node that names the dataset loses its datSet:
// a reference to nothing would fail the schema's key references and publish nothing.
void ForgetDataset(CVarnholtView& view, TreeItem* ln, const std::string& dataset)
{
    xmlNode* lnElement = view.Record(ln) ? view.Record(ln)->node : nullptr;
    for (xmlNode* child : ElementChildren(lnElement))
        if (IsControlBlockElement(child) && dataset == GetAttribute(child, "datSet"))
            view.Document().Changes().RemoveAttribute(child, "datSet");
    int datasets = 0;
    for (const TreeItem* item = ln->FirstChild(); item; item = item->NextSibling())
        if (IsItemOfKind(view, item, kKindDataSet)) ++datasets;
    TreeItemRecord* record = view.Record(ln);
    if (datasets == 1 && record) {
        record->markers &= static_cast<uint8_t>(~kMarkerDatasets);
        view.SetLabel(ln, MakeMarkedItemLabel(*record));
    }
}

// Communication follows the header, the substations and any leading Text or Private.
xmlNode* AddCommunication(xmlNode* root)
{
    xmlNode* communication = NewElement(root, "Communication");
    if (!communication) return nullptr;
    return InsertAfterLeading(root, communication, {"Text", "Private", "Header", "Substation"});
}

// Appends `child` (made by NewElement, null when libxml2 could not) to the element
// being made; false when it could not be made.
bool AppendMade(xmlNode* element, xmlNode* child)
{
    return child && xmlAddChild(element, child);
}

// A ConnectedAP "P1" with the address on every subnetwork of that name, and the IED
// with an empty Services and a clock access point "P1" after the last IED (or after
// Communication; with neither, no IED).
void AddTimeServer(CVarnholtView& view, const CAddTimeserverDialog& dialog)
{
    CVarnholtDoc& doc = view.Document();
    ChangeStep step(doc.Changes(), "Add Time Server " + dialog.name);
    xmlNode* root = doc.Root();
    xmlNode* communication = FindChildElement(root, "Communication");
    const std::string subNetwork = dialog.SubNetworkName();
    for (xmlNode* network : ElementChildren(communication)) {
        if (!IsElementNamed(network, "SubNetwork") || subNetwork != GetAttribute(network, "name")) continue;
        xmlNode* connectedAP = NewElement(network, "ConnectedAP", {{"iedName", dialog.name}, {"apName", "P1"}});
        if (!connectedAP) continue;
        xmlNode* address = NewElement(network, "Address", {});
        if (AppendMade(connectedAP, address))
            AppendMade(address, NewElement(network, "P", {{"type", "IP"}}, dialog.AddressText().c_str()));
        EditInsert(network, nullptr, connectedAP);
        view.InsertConnectedAPItem(connectedAP, subNetwork, -1);
    }
    xmlNode* anchor = nullptr;
    for (xmlNode* child : ElementChildren(root))
        if (IsElementNamed(child, "IED")) anchor = child;
    if (!anchor) anchor = communication;
    if (anchor) {
        if (xmlNode* ied = NewElement(anchor, "IED", {{"name", dialog.name}})) {
            AppendMade(ied, NewElement(anchor, "Services", {}));
            AppendMade(ied, NewElement(anchor, "AccessPoint", {{"name", "P1"}, {"clock", "true"}}));
            EditInsert(root, anchor->next, ied);
            view.Select(view.InsertElementItem(nullptr, ied));
        }
    }
    doc.UpdateValidity();
    doc.SetModifiedFlag(true);
}

}  // namespace

std::optional<std::string> OnAddTimeServer(CVarnholtView& view, UserInterface& ui)
{
    CVarnholtDoc& doc = view.Document();
    if (!doc.Root()) return std::nullopt;
    CAddTimeserverDialog dialog(ChildNames(doc.Root(), "IED"),
                                ChildNames(FindChildElement(doc.Root(), "Communication"), "SubNetwork"),
                                SelectedSubNetworkName(view));
    if (!ui.RunDialog(dialog)) return std::nullopt;
    if (std::string refusal = dialog.Accept(); !refusal.empty()) {
        ui.ShowMessage(CAddTimeserverDialog::Title(), refusal, MessageIcon::Error, MessageButtons::Ok);
        return std::nullopt;
    }
    AddTimeServer(view, dialog);
    return dialog.name;
}

std::string AddSubnetwork(CVarnholtView& view)
{
    CVarnholtDoc& doc = view.Document();
    ChangeStep step(doc.Changes(), "Add Subnetwork");
    xmlNode* communication = FindChildElement(doc.Root(), "Communication");
    if (!communication && (communication = AddCommunication(doc.Root())))
        view.InsertElementItem(nullptr, communication);
    if (!communication) return "";
    std::set<std::string> names;
    for (xmlNode* child : ElementChildren(communication))
        if (IsElementNamed(child, "SubNetwork")) names.insert(GetAttribute(child, "name"));
    std::string name;
    for (int n = 1; name.empty() || names.count(name); ++n) name = "Subnet" + std::to_string(n);
    xmlNode* subNetwork = NewElement(communication, "SubNetwork", {{"name", name}, {"type", "8-MMS"}});
    if (!subNetwork) return "";
    AppendMade(subNetwork, NewElement(communication, "BitRate", {{"multiplier", "M"}, {"unit", "b/s"}}, "100"));
    EditInsert(communication, nullptr, subNetwork);
    if (!view.InsertSubNetworkItem(subNetwork)) view.InsertElementItem(nullptr, communication);
    doc.SetModifiedFlag(true);
    return name;
}

std::string OnAddSubnetwork(CVarnholtView& view, UserInterface&)
{
    return AddSubnetwork(view);
}

DeleteResult OnDelete(CVarnholtView& view, UserInterface& ui)
{
    DeleteResult result;
    const TreeItemRecord* record = view.SelectedRecord();
    if (!record) return result;
    const char* what = record->kind == kKindIED           ? "IED"
                       : record->kind == kKindDataSet     ? "DataSet"
                       : record->kind == kKindTimeServer ? "Time Server"
                                                          : nullptr;
    if (!what) return result;
    std::string question = std::string("Remove ") + what + " " + GetAttribute(record->node, "name") + "?";
    if (ui.ShowMessage("Varnholt", question, MessageIcon::Question, MessageButtons::YesNo) != MessageAnswer::Yes)
        return result;
    result.removed = DeleteSelectedItem(view, &result.log);
    if (result.log.empty()) return result;
    CVerifyDialog dialog(result.log);
    ui.RunDialog(dialog);
    return result;
}

bool DeleteSelectedItem(CVarnholtView& view, std::vector<std::string>* log)
{
    TreeItem* item = view.Selected();
    const TreeItemRecord* record = view.Record(item);
    if (!record) return false;
    xmlNode* element = record->node;
    const std::string name = GetAttribute(element, "name");
    ChangeChannel& changes = view.Document().Changes();
    const char* what = record->kind == kKindIED ? "IED " : record->kind == kKindDataSet ? "DataSet " : "Time Server ";
    ChangeStep step(changes, std::string("Delete ") + what + name);
    if (record->kind == kKindIED || record->kind == kKindTimeServer) {
        if (log) {
            for (const TreeItem* input : InputsNamingIED(view, name))
                log->push_back("Warning: " + DescribeInput(view, input) + " names the removed IED " + name);
        }
        RemoveConnectedAPsOfIED(view, name);
    } else if (record->kind == kKindDataSet && item->Parent()) {
        if (log) {
            std::vector<std::string> warnings = DatasetSubscriberWarnings(view, item, "removed");
            log->insert(log->end(), warnings.begin(), warnings.end());
        }
        ForgetDataset(view, item->Parent(), name);
    } else {
        return false;
    }
    // The items go first, so that none shows a freed element.
    view.ReleaseItemRecords(item);
    view.DeleteItem(item);
    changes.Remove(element);
    view.Document().SetModifiedFlag(true);
    return true;
}
