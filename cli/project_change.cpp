#include "cli/project_change.h"

#include "cli/cli_ui.h"
#include "cli/commands.h"
#include "cli/project_session.h"
#include "document/varnholt_doc.h"
#include "document/version_history_dialog.h"

#include <functional>
#include <ostream>

namespace {

bool ReadNumber(const Arguments& arguments, const char* option, std::string& text)
{
    if (auto value = arguments.Value(option)) {
        text = *value;
        return true;
    }
    return false;
}

// Answers the version history dialog from --who, --what, --why, --version and
// --revision; the proposed values stand where an option is not given.
std::function<bool(DialogModel&)> VersionHistoryAnswers(const Arguments& arguments, std::ostream& err)
{
    return [&arguments, &err](DialogModel& model) {
        auto* dialog = dynamic_cast<CVerHistDialog*>(&model);
        if (!dialog) return false;
        ReadNumber(arguments, "--version", dialog->versionText);
        ReadNumber(arguments, "--revision", dialog->revisionText);
        if (auto who = arguments.Value("--who")) dialog->userName = *who;
        if (auto what = arguments.Value("--what")) dialog->changeDescription = *what;
        if (auto why = arguments.Value("--why")) dialog->changeReason = *why;
        std::string refusal = dialog->Accept();
        if (refusal.empty()) return true;
        err << "Version history: " << refusal << " (--version " << dialog->versionText << " --revision "
            << dialog->revisionText << " was proposed; give the numbers of the new entry)\n";
        return false;
    };
}

bool WantsHistoryEntry(const Arguments& arguments)
{
    for (const char* option : {"--who", "--what", "--why", "--version", "--revision"})
        if (arguments.Value(option)) return true;
    return false;
}

}  // namespace

int OpenForChange(CVarnholtDoc& doc, CliUi& ui, const Arguments& arguments, std::ostream& err)
{
    ui.continueAfterFindings = arguments.HasFlag("--keep-invalid");
    if (doc.OpenDocumentFile(arguments.files[0], ui)) return kExitOk;
    if (!doc.LastReadError().empty()) return kExitFailure;
    if (!ui.continueAfterFindings) err << "The file has findings; give --keep-invalid to go on anyway.\n";
    return kExitFailure;
}

int SaveTo(CVarnholtDoc& doc, CliUi& ui, const Arguments& arguments, std::ostream& err)
{
    if (RunningBatch()) return kExitOk;  // the batch writes the project once, at its end
    const std::string out = arguments.Required("-o");
    ui.fillDialog = VersionHistoryAnswers(arguments, err);
    if (WantsHistoryEntry(arguments)) doc.SetModifiedFlag(true);
    if (doc.OnSaveDocument(out, ui) == SaveOutcome::Saved) return kExitOk;
    if (!doc.LastSaveError().empty()) err << out << ": " << doc.LastSaveError() << "\n";
    return kExitFailure;
}

int SaveChangedProject(CVarnholtDoc& doc, CliUi& ui, const Arguments& arguments, std::ostream& err)
{
    if (RunningBatch()) return kExitOk;  // the batch checks and writes the project at its end
    // The edit may have made the project valid or invalid: it is checked as it now is.
    if (!doc.UpdateValidity() && !arguments.HasFlag("--keep-invalid")) {
        err << "The changed project has findings (varnholt-cli verify lists them); give --keep-invalid to write it "
               "anyway.\n";
        return kExitFailure;
    }
    return SaveTo(doc, ui, arguments, err);
}

bool OpenToRead(CVarnholtDoc& doc, const Arguments& arguments, std::ostream& err)
{
    CliUi ui(err);
    ui.continueAfterFindings = true;
    ui.printFindings = false;
    return doc.OpenDocumentFile(arguments.files[0], ui);
}
