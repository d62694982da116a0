// The text exports: the lines on stdout, or the file the desktop writes with -o.
#include "cli/cli_ui.h"
#include "cli/commands.h"
#include "cli/project_change.h"
#include "core/atomic_save.h"
#include "core/varnholt_doc.h"
#include "datasets/ied_description.h"
#include "datasets/ied_export.h"
#include "datasets/variables_export.h"
#include "tree/varnholt_view.h"

#include <ostream>

namespace {

// Prints the lines with LF, or writes `fileText` to -o OUT through the atomic path.
int Deliver(const Arguments& arguments, const std::vector<std::string>& lines, const std::string& fileText,
            std::ostream& out, std::ostream& err)
{
    auto path = arguments.Value("-o");
    if (!path) {
        for (const std::string& line : lines) out << line << "\n";
        return kExitOk;
    }
    std::string reason;
    if (WriteFileAtomically(*path, fileText, reason)) return kExitOk;
    err << *path << ": " << reason << "\n";
    return kExitFailure;
}

}  // namespace

int RunVariables(const Arguments& arguments, std::ostream& out, std::ostream& err)
{
    CVarnholtDoc doc;
    CVarnholtView view(doc);
    if (!OpenToRead(doc, arguments, err)) return kExitFailure;
    std::vector<std::string> lines = CollectVariableLines(view);
    return Deliver(arguments, lines, VariablesFileText(lines), out, err);
}

int RunDescription(const Arguments& arguments, std::ostream& out, std::ostream& err)
{
    const std::string iedName = arguments.Required("--ied");
    CVarnholtDoc doc;
    CVarnholtView view(doc);
    if (!OpenToRead(doc, arguments, err)) return kExitFailure;
    std::vector<std::string> lines = IEDDescriptionLines(view, iedName);
    if (lines.empty()) {
        err << "varnholt-cli description: the project has no IED named " << iedName << "\n";
        return kExitFailure;
    }
    return Deliver(arguments, lines, IEDDescriptionText(lines), out, err);
}

// A time server is exported as well as any IED.
int RunExportIID(const Arguments& arguments, std::ostream&, std::ostream& err)
{
    const std::string iedName = arguments.Required("--ied");
    const std::string path = arguments.Required("-o");
    CVarnholtDoc doc;
    CVarnholtView view(doc);
    if (!OpenToRead(doc, arguments, err)) return kExitFailure;
    XmlDocPtr exported = BuildIEDExport(doc, iedName);
    if (!exported) {
        err << "varnholt-cli export-iid: the project has no IED named " << iedName << "\n";
        return kExitFailure;
    }
    std::string reason;
    if (SaveXmlAtomically(exported.get(), path, reason)) return kExitOk;
    err << path << ": " << reason << "\n";
    return kExitFailure;
}
