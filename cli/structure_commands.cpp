// add-subnetwork, add-time-server and delete: the Edit menu's structure commands on a project file.
#include "cli/cli_ui.h"
#include "cli/commands.h"
#include "cli/project_change.h"
#include "cli/project_paths.h"
#include "cli/project_session.h"
#include "document/tree_item_record.h"
#include "document/varnholt_doc.h"
#include "document/xml_text.h"
#include "project_tree/item_access.h"
#include "project_tree/scl_lookups.h"
#include "project_tree/varnholt_view.h"
#include "structure/add_timeserver_dialog.h"
#include "structure/structure_edit.h"

#include <algorithm>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace {

TreeItem* FindTimeServerItem(const CVarnholtView& view, std::string_view name)
{
    for (TreeItem* item = view.FirstRootItem(); item; item = item->NextSibling())
        if (IsItemOfKind(view, item, kKindTimeServer) && ItemName(view, item) == name) return item;
    return nullptr;
}

// IED/LD/LN.DS: the dataset DS of logical node LN in logical device LD of the IED.
TreeItem* FindDataSetIn(const CVarnholtView& view, const std::string& path)
{
    size_t slash = path.find('/');
    return slash == std::string::npos ? nullptr
                                      : FindDataSetPath(view, path.substr(0, slash), path.substr(slash + 1));
}

}  // namespace

int RunAddSubnetwork(const Arguments& arguments, std::ostream& out, std::ostream& err)
{
    CliUi ui(err);
    ProjectSession session(arguments, ui, err);
    if (!session.IsOpen()) return kExitFailure;
    CVarnholtDoc& doc = session.Doc();
    CVarnholtView& view = session.View();
    std::string name = OnAddSubnetwork(view, ui);
    if (name.empty()) {
        err << "varnholt-cli add-subnetwork: the subnetwork could not be added\n";
        return kExitFailure;
    }
    int saved = SaveChangedProject(doc, ui, arguments, err);
    if (saved == kExitOk) out << name << "\n";
    return saved;
}

// The command line answers "Remove ...?" for the item it names.
int RunDelete(const Arguments& arguments, std::ostream& out, std::ostream& err)
{
    auto ied = arguments.Value("--ied");
    auto timeServer = arguments.Value("--time-server");
    auto dataset = arguments.Value("--dataset");
    if (!!ied + !!timeServer + !!dataset != 1) {
        err << "varnholt-cli delete: give one of --ied NAME, --time-server NAME, --dataset IED/LD/LN.DS\n";
        return kExitFailure;
    }
    CliUi ui(err);
    ProjectSession session(arguments, ui, err);
    if (!session.IsOpen()) return kExitFailure;
    CVarnholtDoc& doc = session.Doc();
    CVarnholtView& view = session.View();
    TreeItem* item = ied ? FindIEDItem(view, *ied) : timeServer ? FindTimeServerItem(view, *timeServer)
                                                               : FindDataSetIn(view, *dataset);
    if (!item && ied && FindTimeServerItem(view, *ied)) {
        err << "varnholt-cli delete: " << *ied << " is a time server: give --time-server " << *ied << "\n";
        return kExitFailure;
    }
    if (!item) {
        err << "varnholt-cli delete: the project has no " << (ied ? "IED " : timeServer ? "time server " : "dataset ")
            << (ied ? *ied : timeServer ? *timeServer : *dataset) << "\n";
        return kExitFailure;
    }
    view.Select(item);
    ui.yesTo = {std::string("Remove ") + (ied ? "IED " : timeServer ? "Time Server " : "DataSet ") +
                std::string(ItemName(view, item)) + "?"};
    DeleteResult result = OnDelete(view, ui);
    if (!result.removed) return kExitFailure;
    int saved = SaveChangedProject(doc, ui, arguments, err);
    if (saved != kExitOk) return saved;
    for (const std::string& line : result.log) out << line << "\n";
    return result.log.empty() ? kExitOk : kExitFindings;
}

// Fills "Add Time Server" from --name, --subnetwork and --ip; the dialog's proposals
// stand where an option is not given.
int RunAddTimeServer(const Arguments& arguments, std::ostream& out, std::ostream& err)
{
    CliUi ui(err);
    ProjectSession session(arguments, ui, err);
    if (!session.IsOpen()) return kExitFailure;
    CVarnholtDoc& doc = session.Doc();
    CVarnholtView& view = session.View();
    ui.fillDialog = [&arguments, &err](DialogModel& model) {
        auto* dialog = dynamic_cast<CAddTimeserverDialog*>(&model);
        if (!dialog) return false;
        if (auto name = arguments.Value("--name")) dialog->name = *name;
        if (auto ip = arguments.Value("--ip"); ip && !dialog->SetAddressText(*ip)) {
            err << "Add Time Server: " << QuotedText(*ip) << " is no IP address of four numbers from 0 to 255\n";
            return false;
        }
        if (auto network = arguments.Value("--subnetwork")) {
            const auto& networks = dialog->SubNetworks();
            auto found = std::find(networks.begin(), networks.end(), *network);
            if (found == networks.end()) {
                err << "Add Time Server: the project has no subnetwork named " << *network << "\n";
                return false;
            }
            dialog->subNetworkIndex = static_cast<int>(found - networks.begin());
        }
        return true;
    };
    std::optional<std::string> name = OnAddTimeServer(view, ui);
    if (!name) return kExitFailure;
    int saved = SaveChangedProject(doc, ui, arguments, err);
    if (saved == kExitOk) out << *name << "\n";
    return saved;
}
