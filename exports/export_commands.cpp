#include "exports/export_commands.h"

#include "document/atomic_save.h"
#include "document/varnholt_doc.h"
#include "document/xml_access.h"
#include "exports/export_dialog.h"
#include "exports/ied_description.h"
#include "exports/ied_export.h"
#include "exports/variables_export.h"
#include "project_tree/scl_lookups.h"
#include "project_tree/tree_outline.h"
#include "project_tree/varnholt_view.h"

#include <optional>
#include <string>
#include <vector>

namespace {

const char* kTextFilter = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||";

// Runs "Select IED for exporting" and puts the chosen name into `result`; false, with
// the outcome set, when the command ends there.
bool ChooseIED(CVarnholtView& view, UserInterface& ui, ExportResult& result)
{
    CVarnholtDoc& doc = view.Document();
    result.outcome = ExportOutcome::NoIED;
    if (!doc.HasIED()) return false;
    CExportDialog dialog(ChildNames(doc.Root(), "IED"), SelectedIEDName(view));
    if (!ui.RunDialog(dialog)) {
        result.outcome = ExportOutcome::Cancelled;
        return false;
    }
    result.iedName = dialog.ChosenName();
    return !result.iedName.empty();
}

ExportOutcome ShowWriteFailure(UserInterface& ui, const char* title, const std::string& path, const std::string& reason)
{
    ui.ShowMessage(title, "Cannot write file " + path + ": " + reason, MessageIcon::Error, MessageButtons::Ok);
    return ExportOutcome::Failed;
}

// Asks for the file and writes `text` through the safe path; a failure is shown with
// the file and its cause, and leaves no file behind. Confirms "Exported WHAT to FILE".
ExportOutcome WriteTextExport(UserInterface& ui, const char* title, const std::string& initialName,
                              const std::string& text, const std::string& what, ExportResult& result)
{
    std::optional<std::string> path = ui.AskSaveFileName({title, kTextFilter, ".txt", initialName});
    if (!path) return ExportOutcome::Cancelled;
    std::string reason;
    if (!WriteFileAtomically(*path, text, reason)) return ShowWriteFailure(ui, title, *path, reason);
    result.confirmation = "Exported " + what + " to " + *path;
    return ExportOutcome::Written;
}

}  // namespace

ExportResult OnExportVariables(CVarnholtView& view, UserInterface& ui)
{
    ExportResult result;
    result.outcome = ExportOutcome::NoIED;
    if (!view.Document().HasIED()) return result;
    result.lines = CollectVariableLines(view);
    result.outcome = WriteTextExport(ui, "Export variables", "Variables", VariablesFileText(result.lines),
                                     "variables", result);
    return result;
}

ExportResult OnExportIEDDescription(CVarnholtView& view, UserInterface& ui)
{
    ExportResult result;
    if (!ChooseIED(view, ui, result)) return result;
    const TreeItem* ied = FindIEDItem(view, result.iedName);
    result.lines = IEDDescriptionLines(view, ied);
    if (result.lines.empty()) return result;  // a time server
    result.cut = FindTreeCut(view, ied);
    const char* title = "Export IED description";
    result.outcome = WriteTextExport(ui, title, result.iedName + "_Description", IEDDescriptionText(result.lines),
                                     "the description of IED " + result.iedName, result);
    if (result.outcome == ExportOutcome::Written && result.cut)
        ui.ShowMessage(title,
                       "The description of " + result.iedName + " stops short below " + result.cut->where + ": " +
                           result.cut->why,
                       MessageIcon::Warning, MessageButtons::Ok);
    return result;
}

// A time server is exported as well: its IED element and connected access points.
ExportResult OnExportIIDCID(CVarnholtView& view, UserInterface& ui)
{
    ExportResult result;
    if (!ChooseIED(view, ui, result)) return result;
    XmlDocPtr exported = BuildIEDExport(view.Document(), result.iedName);
    if (!exported) return result;
    const char* title = "Export IID/CID";
    std::optional<std::string> path = ui.AskSaveFileName(
        {title,
         "Configured IED Description Files (*.cid)|*.cid|Instantiated IED Description Files (*.iid)|*.iid|"
         "All Files (*.*)|*.*||",
         ".cid", result.iedName});
    if (!path) {
        result.outcome = ExportOutcome::Cancelled;
        return result;
    }
    std::string reason;
    result.outcome = SaveXmlAtomically(exported.get(), *path, reason) ? ExportOutcome::Written
                                                                      : ShowWriteFailure(ui, title, *path, reason);
    if (result.outcome == ExportOutcome::Written)
        result.confirmation = "Exported IED " + result.iedName + " to " + *path;
    return result;
}
