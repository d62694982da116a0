#include "cli/commands.h"

#include "cli/cli_ui.h"
#include "cli/project_change.h"
#include "cli/project_session.h"
#include "communication/verify_communication.h"
#include "document/varnholt_doc.h"
#include "goose/update_inputs.h"
#include "goose/verify_goose_inputs.h"
#include "project_tree/scl_lookups.h"
#include "project_tree/tree_outline.h"
#include "project_tree/varnholt_view.h"
#include "project_tree/verify_addresses.h"

#include <optional>
#include <ostream>


// Runs the checks asked for, in the order syntax, addresses, GOOSE inputs; Verify
// Syntax alone when none is.
int RunVerify(const Arguments& arguments, std::ostream& out, std::ostream& err)
{
    bool addresses = arguments.HasFlag("--addresses");
    bool goose = arguments.HasFlag("--goose");
    bool communication = arguments.HasFlag("--communication");
    bool syntax = arguments.HasFlag("--syntax") || !(addresses || goose || communication);
    CVarnholtDoc doc;
    std::optional<CVarnholtView> view;
    if (addresses || goose) view.emplace(doc);
    else doc.SetWriteSchemaDefaults(false);  // nothing reads the tree after the checks
    CliUi ui(err);
    ui.continueAfterFindings = true;
    ui.printFindings = false;  // the verification lists them again
    if (!doc.OpenDocumentFile(arguments.files[0], ui)) return kExitFailure;
    bool findings = false;
    std::vector<std::string> lines;
    // The file was validated as it was opened, and nothing has changed it since.
    if (syntax) {
        findings = !doc.OpenFindings().empty();
        lines = findings ? doc.OpenFindings() : std::vector<std::string>{"Document is correct"};
    }
    if (addresses) {
        std::vector<std::string> duplicates = VerifyAddresses(*view);
        findings = findings || !duplicates.empty();
        if (duplicates.empty()) duplicates = {"Addresses are correct"};
        lines.insert(lines.end(), duplicates.begin(), duplicates.end());
    }
    if (goose) {
        std::vector<std::string> inputs = VerifyGooseInputs(*view);
        findings = findings || !inputs.empty();
        if (inputs.empty()) inputs = {"GOOSE Inputs are correctly configured"};
        lines.insert(lines.end(), inputs.begin(), inputs.end());
    }
    if (communication) {
        std::vector<Finding> found = VerifyCommunication(doc.Root());
        findings = findings || !found.empty();
        for (const Finding& finding : found)
            lines.push_back(arguments.HasFlag("--tsv") ? FindingTsv(finding) : FindingLine(finding));
        if (found.empty()) lines.push_back("Addresses are correct");
    }
    for (const std::string& line : lines) out << line << "\n";
    return findings ? kExitFindings : kExitOk;
}

int RunTree(const Arguments& arguments, std::ostream& out, std::ostream& err)
{
    CVarnholtDoc doc;
    CVarnholtView view(doc);
    CliUi ui(err);
    ui.continueAfterFindings = true;
    if (arguments.files.empty()) {
        doc.OnFileNew(ui);
    } else if (!doc.OpenDocumentFile(arguments.files[0], ui)) {
        return kExitFailure;
    }
    std::optional<TreeCut> cut = WriteTreeOutline(view, out);
    if (!cut) return kExitOk;
    err << "varnholt-cli tree: " << cut->Text() << "\n";
    return kExitFindings;
}

int RunSave(const Arguments& arguments, std::ostream&, std::ostream& err)
{
    CVarnholtDoc doc;
    CVarnholtView view(doc);
    CliUi ui(err);
    if (int status = OpenForChange(doc, ui, arguments, err); status != kExitOk) return status;
    return SaveTo(doc, ui, arguments, err);
}

int RunNew(const Arguments& arguments, std::ostream&, std::ostream& err)
{
    const std::optional<SclEdition> edition = EditionNamed(arguments.Value("--edition").value_or("2003"));
    if (!edition) {
        err << "varnholt-cli new: unknown edition " << *arguments.Value("--edition") << " (2003, 2007B or 2007B4)\n";
        return kExitFailure;
    }
    CVarnholtDoc doc;
    CVarnholtView view(doc);
    CliUi ui(err);
    if (!doc.OnFileNew(ui, *edition) || !doc.XmlTree()) {
        err << "The built-in template cannot be read.\n";
        return kExitFailure;
    }
    return SaveTo(doc, ui, arguments, err);
}

// Update Inputs for one IED, then the save. Lines other than "Information: " ones
// are findings; the file is saved all the same.
int RunUpdateInputs(const Arguments& arguments, std::ostream& out, std::ostream& err)
{
    const std::string iedName = arguments.Required("--ied");
    CliUi ui(err);
    ProjectSession session(arguments, ui, err);
    if (!session.IsOpen()) return kExitFailure;
    CVarnholtDoc& doc = session.Doc();
    CVarnholtView& view = session.View();
    if (!FindIEDItem(view, iedName)) {
        err << "varnholt-cli update-inputs: the project has no IED named " << iedName << "\n";
        return kExitFailure;
    }
    InputUpdateResult result = UpdateIedInputs(view, iedName);
    bool findings = false;
    for (const std::string& line : result.log) {
        out << line << "\n";
        findings = findings || !line.starts_with("Information: ");
    }
    int saved = SaveTo(doc, ui, arguments, err);
    return saved != kExitOk ? saved : findings ? kExitFindings : kExitOk;
}
