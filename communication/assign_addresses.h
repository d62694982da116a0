#pragma once
#include <string>
#include <vector>

class CVarnholtView;
class UserInterface;

struct AssignResult {
    std::vector<std::string> log;  // one line per value given or address made, and per one that could not be
    size_t valuesGiven = 0;
    size_t addressesMade = 0;
    bool complete = true;  // false when a range ran out or a control block has no ConnectedAP to send from
};

// Assign Addresses, as one step of the history: every GSE and SMV address whose APPID
// or MAC-Address is malformed, outside its range or taken by an earlier address of its
// subnetwork gets the lowest free one of its range there (the first of a repeated value
// keeps it); a GSEControl or SampledValueControl without an address gets one on the
// ConnectedAP of its access point, with free values and VLAN-ID 000, VLAN-PRIORITY 4.
// Values that are well formed, in range and unique are never changed. The project tree
// follows.
AssignResult AssignAddresses(CVarnholtView& view);

// The command of the Edit menu: assigns, then shows the log.
AssignResult OnAssignAddresses(CVarnholtView& view, UserInterface& ui);
