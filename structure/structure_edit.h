#pragma once
#include <optional>
#include <string>
#include <vector>

class CVarnholtView;
class UserInterface;

// Add Subnetwork: "Subnet%d" with the smallest free number, with a 100 Mb/s BitRate,
// as the last subnetwork of the first Communication (made at its place when the
// project has none). Returns its name; "" when nothing could be added.
std::string AddSubnetwork(CVarnholtView& view);
std::string OnAddSubnetwork(CVarnholtView& view, UserInterface& ui);

// Add Time Server: asks for the name, subnetwork and address in "Add Time Server",
// then adds the time server. Returns its name; nothing when the person cancelled.
std::optional<std::string> OnAddTimeServer(CVarnholtView& view, UserInterface& ui);

struct DeleteResult {
    bool removed = false;
    std::vector<std::string> log;  // the warnings shown in the verification log
};
// Delete: asks "Remove IED %s?", "Remove DataSet %s?" or "Remove Time Server %s?" for
// the selected item and, on Yes, removes it; the inputs of other IEDs that still name
// a removed IED, or take a member of a removed GOOSE dataset, are listed in the
// verification log.
DeleteResult OnDelete(CVarnholtView& view, UserInterface& ui);
// Removes the selected IED or time server with its ConnectedAPs, or the selected
// dataset; the control blocks of its logical node that used the dataset lose their
// datSet. False when the selection is of no such kind. `log` receives a warning for
// each input of another IED that names a removed IED or subscribes to the removed
// dataset: those inputs are kept, being that IED's configuration.
bool DeleteSelectedItem(CVarnholtView& view, std::vector<std::string>* log = nullptr);
