// assign-addresses: the Edit menu's Assign Addresses on a project file.
#include "cli/cli_ui.h"
#include "cli/commands.h"
#include "cli/project_change.h"
#include "cli/project_session.h"
#include "communication/assign_addresses.h"

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
