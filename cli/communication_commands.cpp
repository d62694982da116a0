// addresses and assign-addresses: the address table and Assign Addresses on a project file.
#include "cli/cli_ui.h"
#include "cli/commands.h"
#include "cli/project_change.h"
#include "cli/project_session.h"
#include "communication/address_table.h"
#include "communication/assign_addresses.h"
#include "document/varnholt_doc.h"

#include <ostream>
#include <string>

int RunAssignAddresses(const Arguments& arguments, std::ostream& out, std::ostream& err)
{
    CliUi ui(err);
    ProjectSession session(arguments, ui, err);
    if (!session.IsOpen()) return kExitFailure;
    AssignResult result = AssignAddresses(session.View());
    for (const std::string& line : result.log) out << line << "\n";
    int saved = SaveChangedProject(session.Doc(), ui, arguments, err);
    return saved != kExitOk ? saved : result.complete ? kExitOk : kExitFindings;
}

int RunAddresses(const Arguments& arguments, std::ostream& out, std::ostream& err)
{
    CVarnholtDoc doc;
    CliUi ui(err);
    ui.continueAfterFindings = true;
    ui.printFindings = false;
    doc.SetWriteSchemaDefaults(false);  // the table shows the file as written
    if (!doc.OpenDocumentFile(arguments.files[0], ui)) return kExitFailure;
    out << AddressTableText(BuildAddressTable(doc.Root()), arguments.HasFlag("--csv"));
    return kExitOk;
}
