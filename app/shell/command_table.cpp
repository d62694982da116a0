#include "app/shell/command_table.h"

namespace {

using A = Availability;

const std::vector<CommandInfo> kCommands = {
    {ShellCommand::FileNew, "&New", "Create a new project", "New", "Ctrl+N", A::Always},
    {ShellCommand::FileNew2003, "SCL &2003 (edition 1)", "Create a new project of SCL 2003, as New does", nullptr,
     nullptr, A::Always},
    {ShellCommand::FileNew2007B, "SCL 2007&B (edition 2)", "Create a new project of SCL 2007 revision B", nullptr,
     nullptr, A::Always},
    {ShellCommand::FileNew2007B4, "SCL 2007B&4 (edition 2.1)", "Create a new project of SCL 2007 revision B release 4",
     nullptr, nullptr, A::Always},
    {ShellCommand::FileOpen, "&Open...", "Open an existing project", "Open", "Ctrl+O", A::Always},
    {ShellCommand::FileSave, "&Save", "Save the project", "Save", "Ctrl+S", A::Always},
    {ShellCommand::FileSaveAs, "Save &As...", "Save the project under a new name", nullptr, nullptr, A::Always},
    {ShellCommand::FileCompareWith, "Co&mpare with...", "Show what differs between the project and another SCL file",
     nullptr, nullptr, A::Always},
    {kCmdExportIIDCID, "Export &IID/CID...", "Export IED information as IID/CID file", nullptr, nullptr,
     A::ProjectTree},
    {kCmdExportVariables, "Export &variables...", "Export variables from all IEDs", nullptr, nullptr,
     A::ProjectTree},
    {kCmdExportIEDDescription, "Export IED &description...", "Export file with description of IED", nullptr,
     nullptr, A::ProjectTree},
    {ShellCommand::FileExportPicture, "Export &Picture...",
     "Save the diagram of the message flows between the IEDs as an SVG or PNG picture", nullptr, nullptr,
     A::Always},
    {ShellCommand::AppExit, "E&xit", "Quit the program; asks to save changes", nullptr, nullptr, A::Always},

    // Every letter of "Undo" belongs to another item of the Edit menu: Ctrl+Z reaches it.
    {ShellCommand::EditUndo, "Undo", "Take back the last change", "Undo", "Ctrl+Z", A::Always},
    {ShellCommand::EditRedo, "R&edo", "Make the change taken back again", "Redo", "Ctrl+Y", A::Always},
    {kCmdAddIED, "Add &IED...", "Add new IED to project", "Add IED", nullptr, A::ProjectTree},
    {kCmdUpdateIED, "&Update IED...", "Update IED configuration according to IID file", nullptr, nullptr,
     A::ProjectTree},
    {kCmdAddTimeServer, "Add &Time Server...", "Add new NTP server to project", "Add Time Server", nullptr,
     A::ProjectTree},
    {ShellCommand::AddSubnetwork, "Add Sub&network", "Add new subnetwork to project", "Add Subnetwork", nullptr,
     A::ProjectTree},
    {kCmdConnectInputs, "&Connect Inputs...", "Connect inputs to GOOSE outputs", nullptr, nullptr, A::ProjectTree},
    {kCmdUpdateInputs, "Update In&puts", "Update GOOSE inputs connection according to internal address", nullptr,
     nullptr, A::ProjectTree},
    {kCmdCreateDataset, "C&reate Dataset...", "Create dynamic dataset in IED", "Create dataset", nullptr,
     A::ProjectTree},
    {kCmdModifyDataset, "&Modify Dataset...", "Modify existing dataset", nullptr, nullptr, A::ProjectTree},
    {ShellCommand::GooseMapping, "&GOOSE Mapping...", "Connect GOOSE output and input signals", nullptr, nullptr,
     A::Always},
    {ShellCommand::AssignAddresses, "&Assign Addresses",
     "Give free APPIDs and MAC addresses where they are missing, wrong or repeated", nullptr, nullptr, A::Always},
    {kCmdAddSubstation, "Add &Substation", "Add new substation", nullptr, nullptr, A::ProjectTree},
    {kCmdAddVoltageLevel, "Add &Voltage Level", "Add new voltage level", nullptr, nullptr, A::ProjectTree},
    {kCmdAddBay, "Add &Bay", "Add new bay", nullptr, nullptr, A::ProjectTree},
    {kCmdDelete, "&Delete", "Delete selected item", "Delete", "Del", A::ProjectTree},
    {kCmdGoToAccessPoint, "IED &Access Point", "Go to IED access point", nullptr, nullptr, A::ProjectTree},
    {kCmdGoToDataset, "&Dataset", "Go to associated dataset", nullptr, nullptr, A::ProjectTree},
    {kCmdGoToDataElement, "Data &Element", "Go to data element", nullptr, nullptr, A::ProjectTree},
    {kCmdGoToControlBlock, "&Control Block", "Go to associated control block", nullptr, nullptr, A::ProjectTree},
    {kCmdGoToAddress, "Address &Information", "Go to address information in subnetwork", nullptr, nullptr,
     A::ProjectTree},
    {kCmdGoToDatasetElement, "Dataset E&lement", "Go to dataset element", nullptr, nullptr, A::ProjectTree},

    {ShellCommand::VerifySyntax, "&Syntax", "Verify document against SCL schema", nullptr, nullptr, A::Always},
    {kCmdVerifyAddresses, "&Addresses", "Verify IP addresses of the IEDs", nullptr, nullptr, A::ProjectTree},
    {kCmdVerifyGooseInputs, "&GOOSE Inputs", "Verify GOOSE inputs configuration", nullptr, nullptr,
     A::ProjectTree},
    {ShellCommand::VerifyCommunication, "&Communication",
     "Verify the GOOSE and sampled value addresses and the control blocks that send on them", nullptr, nullptr,
     A::Always},
    {ShellCommand::AddressTable, "Address &Table...",
     "List the IP, GOOSE and sampled value addresses in one table, sorted, filtered and edited in place", nullptr,
     nullptr, A::Always},
    {ShellCommand::SchemaFolder, "Schema &Folder...",
     "Check files against a published SCL schema (SCL.xsd with its includes) in a folder", nullptr, nullptr,
     A::Always},
    {ShellCommand::BuiltInSchemas, "&Built-in Schemas", "Check files against the built-in schema of their edition",
     nullptr, nullptr, A::Always},

    {ShellCommand::ViewToolbar, "&Toolbar", "Show or hide the toolbar", nullptr, nullptr, A::Always},
    {ShellCommand::ViewStatusBar, "&Status Bar", "Show or hide the status bar", nullptr, nullptr, A::Always},
    {ShellCommand::ViewMessageFlows, "Message &Flows...",
     "Show the GOOSE, sampled value and report messages between the IEDs as a diagram", nullptr, nullptr,
     A::Always},

    {ShellCommand::HelpTopics, "&Help Topics", "List the help topics", nullptr, "F1", A::Always},
    {ShellCommand::ContextHelp, "What's &This?", "Help for the clicked button, menu or window", "Help",
     "Shift+F1", A::Always},
    {ShellCommand::AppAbout, "&About Varnholt...", "Show the program's version and maker", "About", nullptr,
     A::Always},
};

}  // namespace

const std::vector<CommandInfo>& CommandTable()
{
    return kCommands;
}

const CommandInfo* FindCommand(int id)
{
    for (const CommandInfo& command : kCommands)
        if (command.id == id) return &command;
    return nullptr;
}
