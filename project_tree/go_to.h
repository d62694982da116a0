#pragma once

class CVarnholtView;
class UserInterface;

// The Go to commands of the Edit menu: follow the reference of the selected item and
// select its target. When the reference leads to several targets the person picks
// one in a CGoSelectionDialog. No target, or Cancel, leaves the selection alone and
// shows nothing; so does a command that is not enabled for the selection.
// True when a target was selected.
bool OnGoToCommand(CVarnholtView& view, int commandId, UserInterface& ui);
