#pragma once

class CVarnholtView;
class UserInterface;

// Connect Inputs, for the selected logical node, Inputs or ExtRef item: runs a
// CInputsDialog over the GOOSE inputs of that Inputs element and the GOOSE publishers
// of the other IEDs on the access point's subnetwork; on OK writes every row back to
// its own ExtRef and relabels the items that changed. True when an ExtRef changed.
bool OnConnectInputs(CVarnholtView& view, UserInterface& ui);
