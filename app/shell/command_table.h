#pragma once
#include "document/command_ids.h"

#include <vector>

// Commands of the shell that have no id in the core. Kept clear of the core's range.
namespace ShellCommand {
enum : int {
    FileNew = 1,
    FileOpen,
    FileSave,
    FileSaveAs,
    AppExit,
    VerifySyntax,
    GooseMapping,
    ViewToolbar,
    ViewStatusBar,
    HelpTopics,
    ContextHelp,
    AppAbout,
    FileNew2003,
    FileNew2007B,
    FileNew2007B4,
    SchemaFolder,
    BuiltInSchemas,
    EditUndo,
    EditRedo,
    VerifyCommunication,
    AddressTable,
    AssignAddresses,
    FileCompareWith,
    ViewMessageFlows,
    FileExportPicture,
};
// Add Subnetwork keeps its number from the menu resource; the project tree will
// answer for it once the command exists.
constexpr int AddSubnetwork = 32774;
}  // namespace ShellCommand

// Who decides whether a command is available, once it has a handler.
enum class Availability {
    Always,       // document and shell commands that are always available
    ProjectTree,  // CVarnholtView::IsCommandEnabled
};

struct CommandInfo {
    int id;
    const char* text;       // menu text with its mnemonic
    const char* statusTip;  // shown in the status bar's message pane
    const char* toolTip;    // toolbar button; null: the menu text
    const char* shortcut;   // portable key sequence text; null: none
    Availability availability;
};

// Every command of the menus and the toolbar.
const std::vector<CommandInfo>& CommandTable();
const CommandInfo* FindCommand(int id);
