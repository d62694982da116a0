// The exports, run as their menu commands: the lines on stdout, or the file the desktop
// writes with -o.
#include "cli/cli_ui.h"
#include "cli/commands.h"
#include "cli/project_change.h"
#include "document/varnholt_doc.h"
#include "exports/export_commands.h"
#include "exports/export_dialog.h"
#include "project_tree/varnholt_view.h"

#include <algorithm>
#include <ostream>

namespace {

// Answers "Select IED for exporting" with the IED named on the command line; a name
// the dialog does not offer is answered by choosing none, which the command refuses.
void AnswerIEDChoice(CliUi& ui, const std::string& iedName)
{
    ui.fillDialog = [iedName](DialogModel& model) {
        auto* dialog = dynamic_cast<CExportDialog*>(&model);
        if (!dialog) return false;
        const std::vector<std::string>& names = dialog->IEDNames();
        auto found = std::find(names.begin(), names.end(), iedName);
        dialog->SetSelectedIndex(found == names.end() ? -1 : static_cast<int>(found - names.begin()));
        return true;
    };
}

// 0 written or printed, 1 when the output was cut short, 2 refused or not written.
// Without -o the file question was declined and the lines go to stdout.
int Conclude(const char* command, const std::string& iedName, const ExportResult& result, const CliUi& ui,
             std::ostream& out, std::ostream& err)
{
    switch (result.outcome) {
    case ExportOutcome::NoIED:
        err << "varnholt-cli " << command << ": the project has no IED" << (iedName.empty() ? "" : " named ")
            << iedName << "\n";
        return kExitFailure;
    case ExportOutcome::Failed:  // told by the command
        return kExitFailure;
    case ExportOutcome::Cancelled:
        if (ui.unanswered) return kExitFailure;
        for (const std::string& line : result.lines) out << line << "\n";
        // A written file's cut was told by the command.
        if (result.cut) err << "varnholt-cli " << command << ": " << result.cut->Text() << "\n";
        break;
    case ExportOutcome::Written:
        break;
    }
    return result.cut ? kExitFindings : kExitOk;
}

}  // namespace

int RunVariables(const Arguments& arguments, std::ostream& out, std::ostream& err)
{
    CVarnholtDoc doc;
    CVarnholtView view(doc);
    if (!OpenToRead(doc, arguments, err)) return kExitFailure;
    CliUi ui(err);
    ui.saveFileName = arguments.Value("-o");
    ui.printInsteadOfSaving = true;
    return Conclude("variables", "", OnExportVariables(view, ui), ui, out, err);
}

int RunDescription(const Arguments& arguments, std::ostream& out, std::ostream& err)
{
    const std::string iedName = arguments.Required("--ied");
    CVarnholtDoc doc;
    CVarnholtView view(doc);
    if (!OpenToRead(doc, arguments, err)) return kExitFailure;
    CliUi ui(err);
    AnswerIEDChoice(ui, iedName);
    ui.saveFileName = arguments.Value("-o");
    ui.printInsteadOfSaving = true;
    return Conclude("description", iedName, OnExportIEDDescription(view, ui), ui, out, err);
}

int RunExportIID(const Arguments& arguments, std::ostream& out, std::ostream& err)
{
    const std::string iedName = arguments.Required("--ied");
    CVarnholtDoc doc;
    CVarnholtView view(doc);
    if (!OpenToRead(doc, arguments, err)) return kExitFailure;
    CliUi ui(err);
    AnswerIEDChoice(ui, iedName);
    ui.saveFileName = arguments.Required("-o");
    return Conclude("export-iid", iedName, OnExportIIDCID(view, ui), ui, out, err);
}
