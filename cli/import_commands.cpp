// add-ied and update-ied: the desktop's Add IED and Update IED with the answers of
// their questions taken from the command line.
#include "cli/cli_ui.h"
#include "cli/commands.h"
#include "cli/project_change.h"
#include "cli/project_session.h"
#include "document/varnholt_doc.h"
#include "import/add_ied_dialog.h"
#include "import/ied_import_command.h"
#include "project_tree/scl_lookups.h"
#include "project_tree/varnholt_view.h"

#include <ostream>

namespace {

// Fills the Add IED dialog from --from-ied, --name and --subnetwork; the dialog's
// presets stand where an option is not given. A refusal is told and cancels.
std::function<bool(DialogModel&)> AddIEDAnswers(const Arguments& arguments, std::ostream& err)
{
    return [&arguments, &err](DialogModel& model) {
        auto* dialog = dynamic_cast<CAddIEDDialog*>(&model);
        if (!dialog) return false;
        if (auto fileIED = arguments.Value("--from-ied"); fileIED && !dialog->SelectFileIED(*fileIED)) {
            err << "Add IED: the file holds no IED named " << *fileIED << "\n";
            return false;
        }
        if (auto name = arguments.Value("--name")) dialog->iedName = *name;
        if (auto network = arguments.Value("--subnetwork"); network && !dialog->SelectSubNetwork(*network)) {
            err << "Add IED: the project has no subnetwork named " << *network << "\n";
            return false;
        }
        std::string refusal = dialog->Accept();
        if (refusal.empty()) return true;
        err << CAddIEDDialog::Title() << ": " << refusal << "\n";
        return false;
    };
}

// Prints the log and the fate of every type, then writes the project.
int Conclude(const ImportResult& result, CVarnholtDoc& doc, CliUi& ui, const Arguments& arguments,
             std::ostream& out, std::ostream& err)
{
    // A refusal or a file that cannot be read has been told by the UI.
    if (result.outcome != ImportOutcome::Done) return kExitFailure;
    bool findings = !doc.IsValid();
    for (const std::string& line : result.log) {
        out << line << "\n";
        findings = findings || !line.starts_with("Information: ");
    }
    for (const MergedType& type : result.types) out << DescribeMergedType(type) << "\n";
    int saved = SaveChangedProject(doc, ui, arguments, err);
    return saved != kExitOk ? saved : findings ? kExitFindings : kExitOk;
}

}  // namespace

int RunAddIED(const Arguments& arguments, std::ostream& out, std::ostream& err)
{
    CliUi ui(err);
    ProjectSession session(arguments, ui, err);
    if (!session.IsOpen()) return kExitFailure;
    CVarnholtDoc& doc = session.Doc();
    CVarnholtView& view = session.View();
    ui.continueAfterFindings = arguments.HasFlag("--accept-findings");
    ui.fillDialog = AddIEDAnswers(arguments, err);
    ImportResult result = AddIEDFromFile(view, arguments.files[1], ui);
    return Conclude(result, doc, ui, arguments, out, err);
}

int RunUpdateIED(const Arguments& arguments, std::ostream& out, std::ostream& err)
{
    const std::string iedName = arguments.Required("--ied");
    CliUi ui(err);
    ProjectSession session(arguments, ui, err);
    if (!session.IsOpen()) return kExitFailure;
    CVarnholtDoc& doc = session.Doc();
    CVarnholtView& view = session.View();
    TreeItem* ied = FindIEDItem(view, iedName);
    if (!ied) {
        err << "varnholt-cli update-ied: the project has no IED named " << iedName << "\n";
        return kExitFailure;
    }
    view.Select(ied);
    ui.continueAfterFindings = arguments.HasFlag("--accept-findings");
    ImportResult result = UpdateIEDFromFile(view, arguments.files[1], ui);
    return Conclude(result, doc, ui, arguments, out, err);
}
