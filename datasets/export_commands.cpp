#include "datasets/export_commands.h"

#include "core/atomic_save.h"
#include "core/varnholt_doc.h"
#include "core/xml_access.h"
#include "datasets/export_dialog.h"
#include "datasets/ied_description.h"
#include "datasets/ied_export.h"
#include "datasets/variables_export.h"
#include "tree/scl_lookups.h"
#include "tree/varnholt_view.h"

#include <optional>
#include <string>
#include <vector>

namespace {

const char* kTextFilter = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||";

void ShowWriteFailure(UserInterface& ui, const char* title, const std::string& path, const std::string& reason)
{
    ui.ShowMessage(title, "Cannot write file " + path + ": " + reason, MessageIcon::Error, MessageButtons::Ok);
}

// Asks for the file and writes `text` through the safe path; a failure is shown with
// the file and its cause, and leaves no file behind.
void WriteTextExport(UserInterface& ui, const char* title, const std::string& initialName, const std::string& text)
{
    std::optional<std::string> path = ui.AskSaveFileName({title, kTextFilter, ".txt", initialName});
    if (!path) return;
    std::string reason;
    if (!WriteFileAtomically(*path, text, reason)) ShowWriteFailure(ui, title, *path, reason);
}

}  // namespace

void OnExportVariables(CVarnholtView& view, UserInterface& ui)
{
    if (!view.Document().HasIED()) return;
    std::vector<std::string> lines = CollectVariableLines(view);
    WriteTextExport(ui, "Export variables", "Variables", VariablesFileText(lines));
}

void OnExportIEDDescription(CVarnholtView& view, UserInterface& ui)
{
    if (!view.Document().HasIED()) return;
    CExportDialog dialog(ChildNames(view.Document().Root(), "IED"), SelectedIEDName(view));
    if (!ui.RunDialog(dialog)) return;
    const std::string name = dialog.ChosenName();
    std::vector<std::string> lines = IEDDescriptionLines(view, name);
    if (lines.empty()) return;  // no such IED, or a time server
    WriteTextExport(ui, "Export IED description", name + "_Description", IEDDescriptionText(lines));
}

// A time server is exported as well: its IED element and connected access points.
void OnExportIIDCID(CVarnholtView& view, UserInterface& ui)
{
    CVarnholtDoc& doc = view.Document();
    if (!doc.HasIED()) return;
    CExportDialog dialog(ChildNames(doc.Root(), "IED"), SelectedIEDName(view));
    if (!ui.RunDialog(dialog)) return;
    const std::string name = dialog.ChosenName();
    XmlDocPtr exported = BuildIEDExport(doc, name);
    if (!exported) return;
    const char* title = "Export IID/CID";
    std::optional<std::string> path = ui.AskSaveFileName(
        {title,
         "Configured IED Description Files (*.cid)|*.cid|Instantiated IED Description Files (*.iid)|*.iid|"
         "All Files (*.*)|*.*||",
         ".cid", name});
    if (!path) return;
    std::string reason;
    if (!SaveXmlAtomically(exported.get(), *path, reason)) ShowWriteFailure(ui, title, *path, reason);
}
