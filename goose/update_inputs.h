#pragma once
#include <string>
#include <string_view>
#include <vector>

class CVarnholtView;
class TreeItem;
class UserInterface;

// Makes the external references of the access point's inputs agree with their
// connected internal addresses, against the GOOSE control blocks of the other IEDs
// on `subNetwork`; relabels the ExtRef items it changes. True when an ExtRef changed.
bool UpdateAccessPointInputs(CVarnholtView& view, const std::string& ownIedName, const TreeItem* subNetwork,
                             const std::vector<TreeItem*>& inputs, std::vector<std::string>& log);

struct InputUpdateResult {
    std::vector<std::string> log;
    bool changed = false;
};

// Updates, then verifies, the inputs of every access point of the IED; marks the
// document modified when an ExtRef changed.
InputUpdateResult UpdateIedInputs(CVarnholtView& view, std::string_view iedName);

// The same, with the log shown in the verification log window when it is not empty.
// Also run after an IED was added or updated from a file.
void UpdateIedInputs(CVarnholtView& view, std::string_view iedName, UserInterface& ui);

// Update Inputs, for the selected IED item.
void OnUpdateInputs(CVarnholtView& view, UserInterface& ui);
