#include "import/ied_import_command.h"

#include "compare/compare_command.h"
#include "compare/compare_dialog.h"
#include "document/dataset_references.h"
#include "document/log_dialogs.h"
#include "document/tree_edit.h"
#include "document/varnholt_doc.h"
#include "document/xml_access.h"
#include "goose/subscriber_inputs.h"
#include "goose/update_inputs.h"
#include "import/add_ied_dialog.h"
#include "import/ied_file.h"
#include "import/place_ied.h"
#include "project_tree/item_access.h"
#include "project_tree/scl_lookups.h"
#include "project_tree/varnholt_view.h"

namespace {

constexpr const char* kAddTitle = "Add IED";
constexpr const char* kUpdateTitle = "Update IED";

ImportResult Stop(ImportOutcome outcome)
{
    ImportResult result;
    result.outcome = outcome;
    return result;
}

ImportResult Refuse(UserInterface& ui, const char* title, const std::string& text)
{
    ui.ShowMessage(title, text, MessageIcon::Error, MessageButtons::Ok);
    return Stop(ImportOutcome::Refused);
}

// Reads and checks the file; null when the command ends here (`stopped` says how).
XmlDocPtr ReadCheckedFile(CVarnholtDoc& doc, const std::string& path, UserInterface& ui, const char* title,
                          bool checkDatasets, ImportResult& stopped)
{
    XmlDocPtr file;
    bool valid = false;
    {
        BusyScope busy(ui);
        file = ReadIEDFile(path, stopped.readError);
        if (file) valid = doc.Validate(file.get());
    }
    if (!file) {
        ui.ShowMessageWithDetail(title, "Invalid file format!", path + ": " + stopped.readError, MessageIcon::Error,
                                 MessageButtons::Ok);
        stopped.outcome = ImportOutcome::Unreadable;
        return nullptr;
    }
    if (!valid) {
        CXMLLogDialog log(doc.ValidationLog(), "XML Parser Log");
        if (!ui.RunDialog(log)) return nullptr;
    }
    std::vector<std::string> findings;
    if (checkDatasets && !VerifyDatasetReferences(file.get(), findings)) {
        CXMLLogDialog log(findings, "Dataset references verification");
        if (!ui.RunDialog(log)) return nullptr;
    }
    return file;
}

std::vector<std::string> NamesOf(const std::vector<xmlNode*>& ieds)
{
    std::vector<std::string> names;
    for (const xmlNode* ied : ieds) names.push_back(GetAttribute(ied, "name"));
    return names;
}

// Updates the IED's inputs, adds their lines to the log and sets the flags.
void FinishImport(CVarnholtView& view, ImportResult& result)
{
    InputUpdateResult inputs = UpdateIedInputs(view, result.iedName);
    result.log.insert(result.log.end(), inputs.log.begin(), inputs.log.end());
    view.Document().UpdateValidity();
    view.Document().SetModifiedFlag(true);
    result.outcome = ImportOutcome::Done;
}

void ShowLog(const ImportResult& result, UserInterface& ui)
{
    if (result.log.empty()) return;
    CVerifyDialog dialog(result.log);
    ui.RunDialog(dialog);
}

// The name of the last access point item of the IED item; "" when it has none.
std::string LastAccessPointName(const CVarnholtView& view, const TreeItem* ied)
{
    std::string name;
    for (const TreeItem* child = ied->FirstChild(); child; child = child->NextSibling())
        if (IsItemOfKind(view, child, kKindAccessPoint)) name = ItemName(view, child);
    return name;
}

// The inputs of the other IEDs that name the IED and find their data in it. Their
// items outlive an update of the IED: only its own items are replaced.
std::vector<TreeItem*> ResolvingInputs(const CVarnholtView& view, const std::string& iedName)
{
    std::vector<TreeItem*> inputs = InputsNamingIED(view, iedName);
    std::erase_if(inputs, [&](const TreeItem* input) { return !FindExtRefSourceItem(view, input); });
    return inputs;
}

}  // namespace

ImportResult OnAddIED(CVarnholtView& view, UserInterface& ui)
{
    std::optional<std::string> path = ui.AskOpenFileName(
        {kAddTitle,
         "IED Capability Description Files (*.icd)|*.icd|Instantiated IED Description Files (*.iid)|*.iid|"
         "Configured IED Description Files (*.cid)|*.cid|All Files (*.*)|*.*||",
         ".icd", ""});
    if (!path) return Stop(ImportOutcome::Cancelled);
    return AddIEDFromFile(view, *path, ui);
}

ImportResult AddIEDFromFile(CVarnholtView& view, const std::string& path, UserInterface& ui)
{
    CVarnholtDoc& doc = view.Document();
    if (!doc.Root()) return Stop(ImportOutcome::Refused);
    ImportResult result;
    XmlDocPtr file = ReadCheckedFile(doc, path, ui, kAddTitle, true, result);
    if (!file) return result;

    std::vector<xmlNode*> ieds = FileIEDs(file.get());
    if (ieds.empty()) return Refuse(ui, kAddTitle, "The file holds no IED!");
    CAddIEDDialog dialog(ChildNames(doc.Root(), "IED"), ChildNames(FindChildElement(doc.Root(), "Communication"), "SubNetwork"),
                         SelectedSubNetworkName(view),
                         NamesOf(ieds), PreferredFileIED(ieds));
    if (!ui.RunDialog(dialog)) return Stop(ImportOutcome::Cancelled);
    if (std::string refusal = dialog.Accept(); !refusal.empty()) return Refuse(ui, kAddTitle, refusal);

    xmlNode* ied = ieds[static_cast<size_t>(dialog.FileIEDIndex())];
    const std::string fileName = GetAttribute(ied, "name");
    std::vector<ConnectedAPAt> connectedAPs = FindConnectedAPsOfIED(file.get(), fileName);
    if (connectedAPs.empty()) {
        xmlNode* made = CreateConnectedAP(file.get());
        if (!made) return Refuse(ui, kAddTitle, "Missing Connected Access Point information!");
        EditSetAttribute(made, "apName", FirstAccessPointName(ied));
        connectedAPs.push_back({made, GetAttribute(made->parent, "name")});
    }
    result.iedName = dialog.iedName;
    for (const ConnectedAPAt& connectedAP : connectedAPs)
        EditSetAttribute(connectedAP.element, "iedName", result.iedName);
    EditSetAttribute(ied, "name", result.iedName);
    RenameIEDInputs(ied, fileName, result.iedName);

    {
        BusyScope busy(ui);
        ChangeStep step(doc.Changes(), "Add IED " + result.iedName);
        result.types = MergeDataTypeTemplates(doc, file.get(), ied, result.iedName);
        PlaceIED(view, connectedAPs, ied, dialog.SubNetworkName(), result.log);
        RaiseSclVersion(doc.Root(), xmlDocGetRootElement(file.get()));
        FinishImport(view, result);
    }
    ShowLog(result, ui);
    return result;
}

ImportResult OnUpdateIED(CVarnholtView& view, UserInterface& ui)
{
    const TreeItemRecord* record = view.SelectedRecord();
    if (!record || record->kind != kKindIED) return Stop(ImportOutcome::Refused);
    std::optional<std::string> path = ui.AskOpenFileName(
        {kUpdateTitle,
         "Instantiated IED Description Files (*.iid)|*.iid|Configured IED Description Files (*.cid)|*.cid|"
         "All Files (*.*)|*.*||",
         ".iid", ""});
    if (!path) return Stop(ImportOutcome::Cancelled);
    return UpdateIEDFromFile(view, *path, ui);
}

ImportResult UpdateIEDFromFile(CVarnholtView& view, const std::string& path, UserInterface& ui)
{
    CVarnholtDoc& doc = view.Document();
    const TreeItem* selected = view.Selected();
    const TreeItemRecord* record = view.SelectedRecord();
    if (!record || record->kind != kKindIED) return Stop(ImportOutcome::Refused);
    const std::string selectedName = GetAttribute(record->node, "name");
    ImportResult result;
    XmlDocPtr file = ReadCheckedFile(doc, path, ui, kUpdateTitle, false, result);
    if (!file) return result;

    xmlNode* root = xmlDocGetRootElement(file.get());
    xmlNode* ied = FindIEDElement(root, selectedName);
    if (!ied) ied = FindChildElement(root, "IED");
    if (GetAttribute(ied, "name") != selectedName) return Refuse(ui, kUpdateTitle, "Incorrect IED name!");
    std::vector<ConnectedAPAt> connectedAPs = FindConnectedAPsOfIED(file.get(), selectedName);
    if (connectedAPs.empty()) return Refuse(ui, kUpdateTitle, "Missing Connected Access Point information!");
    const TreeItem* subNetwork =
        FindSubNetworkOfConnectedAP(view, selectedName, LastAccessPointName(view, selected));
    if (!subNetwork) return Refuse(ui, kUpdateTitle, "Missing Subnetwork information!");
    const std::string subNetworkName(ItemName(view, subNetwork));

    // What the update will change, before it does.
    std::vector<Difference> differences;
    std::string error;
    CompareIEDs(doc.Root(), root, selectedName, CompareOptionsFor(doc.Root(), root), differences, error);
    CCompareDialog preview(kUpdateTitle, "What Update IED changes in IED " + selectedName + ":",
                           std::move(differences), true);
    preview.onActivate = [&view](const Difference& difference) { SelectDifference(view, difference); };
    if (!ui.RunDialog(preview)) return Stop(ImportOutcome::Cancelled);

    result.iedName = selectedName;
    {
        BusyScope busy(ui);
        ChangeStep step(doc.Changes(), "Update IED " + selectedName);
        result.types = MergeDataTypeTemplates(doc, file.get(), ied, selectedName);
        std::vector<TreeItem*> resolving = ResolvingInputs(view, selectedName);
        ReplaceIED(view, ied, connectedAPs, subNetworkName, result.log);
        RaiseSclVersion(doc.Root(), root);
        FinishImport(view, result);
        for (const TreeItem* input : resolving)
            if (!FindExtRefSourceItem(view, input))
                result.log.push_back("Warning: " + DescribeInput(view, input) + " names data that the updated IED " +
                                     selectedName + " no longer has");
    }
    ShowLog(result, ui);
    return result;
}
