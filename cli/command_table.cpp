#include "cli/command_table.h"

#include "cli/commands.h"

namespace {

using Options = std::vector<OptionSpec>;

Options operator+(Options first, const Options& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

const OptionSpec kOut{"-o", "OUT", "the file to write", true};
const OptionSpec kOptionalOut{"-o", "OUT", "write the export file instead of printing"};
const OptionSpec kAcceptFindings{"--accept-findings", nullptr, "go on when IEDFILE has findings"};

// Commands that write the project: its findings, and the version history entry.
const Options kChangeOptions = {
    {"--keep-invalid", nullptr, "write the project even when it has schema findings"},
    {"--who", "W", "history entry: who changed the project"},
    {"--what", "T", "history entry: what was changed"},
    {"--why", "R", "history entry: why it was changed"},
    {"--version", "V", "history entry: its version (default: the proposed one)"},
    {"--revision", "R", "history entry: its revision (default: the proposed one)"},
};

// The description of a command that changes the project, with the history entry's rule.
std::string Changing(const char* description)
{
    return std::string(description) +
           " The changed project gets a version history entry: the history options (--who, --what, --why,"
           " --version, --revision) give its values, the proposed ones stand for those left out.";
}

const char* const kImportExits =
    "0 done and valid, 1 done with findings, 2 refused, stopped by findings or a file cannot be read"
    " (nothing written)";

std::vector<CommandSpec> BuildCommands()
{
    return {
        {"verify", "FILE", 1, 1, "the checks of the Verify menu",
         "Checks FILE as the Verify menu does and prints the findings, or the line saying there are none."
         " Without options the syntax check runs; the checks run in the order syntax, addresses, GOOSE"
         " inputs, communication. With --tsv the findings of the communication check are printed one a line"
         " as level, rule, IED, LD inst, control block and text, separated by tabs.",
         "0 no findings, 1 findings, 2 FILE cannot be read",
         {{"--syntax", nullptr, "the SCL schema and the dataset references"},
          {"--addresses", nullptr, "IP addresses repeated within a subnetwork"},
          {"--goose", nullptr, "the GOOSE inputs against the outputs they name"},
          {"--communication", nullptr, "GOOSE and sampled value addresses, and the control blocks sending on them"},
          {"--tsv", nullptr, "the communication findings as tab-separated fields"}},
         RunVerify},
        {"flow", "PROJECT", 1, 1, "the GOOSE, SV and report messages between the IEDs",
         "Prints one line per message flow of PROJECT: publisher, subscriber, service (GOOSE, SV, Report),"
         " the LD inst and name of the control block and the number of inputs it feeds (of a report: its"
         " client entries), then the inputs that reach no control block. An input with srcCBName reaches"
         " that control block; any other the GOOSE and SV control blocks whose dataset holds its data. -o"
         " draws them: a box per IED that takes part, an arrow per flow labelled with its control block,"
         " GOOSE blue, SV green, reports grey.",
         "0 printed, 1 printed and some inputs reach no control block, 2 PROJECT cannot be read or FILE"
         " cannot be drawn or written (nothing written)",
         {{"--tsv", nullptr, "the flows only, tab-separated"},
          {"-o", "FILE", "the diagram of the flows, laid out by Graphviz: FILE ending in .svg, .png or .dot"},
          {"--ied", "NAME", "the flows from and to IED NAME"},
          {"--service", "goose|sv|report", "the flows of one service"}},
         RunFlow},
        {"diff", "A B", 2, 2, "what differs between two SCL files",
         "Compares A and B element by element, each matched by its SCL identity (name, inst, id, the"
         " references of a dataset member, ...), not by position or layout, and prints one line per"
         " difference: \"+ PATH\" only in B, \"- PATH\" only in A, \"~ PATH: ATTRIBUTE: OLD -> NEW\" (or"
         " text, or the position of a dataset member). An attribute left out on one side at the value its"
         " schema gives it is no difference; the Header is compared only with --header.",
         "0 equal, 1 different, 2 a file cannot be read, is not SCL, or has not the IED asked for",
         {{"--ied", "NAME", "IED NAME of A against the IED of that name in B (or B's only IED), with the"
                            " templates each uses compared by content"},
          {"--header", nullptr, "compare the Header too"}},
         RunDiff},
        {"addresses", "PROJECT", 1, 1, "the address table: ConnectedAPs, GSEs and SMVs",
         "Prints the address table of PROJECT: every ConnectedAP with its IP address, mask and gateway, each"
         " followed by its GSEs and SMVs with MAC-Address, APPID, VLAN-ID, VLAN-PRIORITY, MinTime and MaxTime;"
         " the columns padded to their widths, or CSV with a header row. A file with findings is read"
         " without asking.",
         "0 printed, 2 PROJECT cannot be read",
         {{"--csv", nullptr, "comma-separated values with a header row"}},
         RunAddresses},
        {"tree", "[FILE]", 0, 1, "the project tree, one item a line",
         "Prints the project tree of FILE, or of a new project, one item a line indented by two blanks a"
         " level. A file with findings is read without asking.",
         "0 printed, 1 printed, but the tree stops short of the file (stderr says where and why), 2 FILE"
         " cannot be read",
         {},
         RunTree},
        {"save", "FILE", 1, 1, "FILE saved as the desktop saves it",
         "Opens FILE and saves it to OUT as Save does, through a temporary file so that a failed save"
         " leaves nothing behind. A version history entry is added only when a history option is given.",
         "0 saved, 2 FILE has findings and --keep-invalid is not given, FILE cannot be read, the history entry"
         " is refused or OUT cannot be written (nothing written)",
         Options{kOut} + kChangeOptions,
         RunSave},
        {"new", "", 0, 0, "a new project from the built-in template",
         "Writes a new project, as File New makes it, to OUT; with --edition its root declares that edition"
         " of SCL.",
         "0 written, 2 an unknown edition or OUT cannot be written",
         {kOut, {"--edition", "E", "2003 (the default), 2007B or 2007B4"}},
         RunNew},
        {"update-inputs", "FILE", 1, 1, "brings one IED's GOOSE inputs up to date",
         "Update Inputs for IED NAME, then the save to OUT. Prints the log of the update; its lines other"
         " than \"Information: \" ones are findings, and the project is saved all the same. It gets a"
         " version history entry when an input changed or a history option is given.",
         "0 saved and every input up to date, 1 saved with findings, 2 no IED NAME, FILE has findings and"
         " --keep-invalid is not given, FILE cannot be read or OUT cannot be written (nothing written)",
         Options{{"--ied", "NAME", "the IED whose inputs are updated", true}, kOut} + kChangeOptions,
         RunUpdateInputs},
        {"add-ied", "PROJECT IEDFILE", 2, 2, "Add IED from an ICD/IID/CID file",
         Changing("Adds the IED of IEDFILE to PROJECT as Add IED does: the IED, its connected access point"
                  " and its types, then the update of the GOOSE inputs. Prints the log of the update, then"
                  " one line per type of the file: \"shared KIND ID\", \"copied KIND ID\" or \"renamed KIND"
                  " OLD -> NEW\"."),
         kImportExits,
         Options{kOut,
                 {"--from-ied", "NAME", "the IED of IEDFILE to add (default: the first with a server)"},
                 {"--name", "NAME", "its name in the project (default: its name in IEDFILE)"},
                 {"--subnetwork", "SUBNET", "the subnetwork its access point joins (default: the first)"},
                 kAcceptFindings} +
             kChangeOptions,
         RunAddIED},
        {"update-ied", "PROJECT IEDFILE", 2, 2, "Update IED from an ICD/IID/CID file",
         Changing("Replaces IED NAME of PROJECT by the IED of IEDFILE as Update IED does, and prints what"
                  " add-ied prints."),
         kImportExits,
         Options{{"--ied", "NAME", "the IED to replace", true}, kOut, kAcceptFindings} + kChangeOptions,
         RunUpdateIED},
        {"variables", "PROJECT", 1, 1, "the MMS variables of all IEDs, one a line",
         "Prints the MMS variables of all IEDs of PROJECT, one a line; with -o it writes the file the"
         " desktop's export writes (CR LF after every line). A project with findings is read without"
         " asking.",
         "0 done, 2 PROJECT has no IED or cannot be read, or OUT cannot be written",
         {kOptionalOut},
         RunVariables},
        {"description", "PROJECT", 1, 1, "the outline of one IED with its descriptions",
         "Prints the outline of IED NAME with the descriptions of its logical nodes and data objects; with"
         " -o it writes the file the desktop's export writes (CR LF after every line).",
         "0 done, 1 done, but the outline stops short where the project tree does (stderr says where and"
         " why), 2 no IED NAME, PROJECT cannot be read or OUT cannot be written",
         {{"--ied", "NAME", "the IED to describe", true}, kOptionalOut},
         RunDescription},
        {"export-iid", "PROJECT", 1, 1, "one IED (or time server) as an IID/CID file",
         "Writes IED NAME of PROJECT to OUT as the desktop's export does: its connected access points, the"
         " IED and the data type templates it uses.",
         "0 written, 2 no IED NAME, PROJECT cannot be read or OUT cannot be written",
         {{"--ied", "NAME", "the IED or time server to export", true}, kOut},
         RunExportIID},
        {"add-subnetwork", "PROJECT", 1, 1, "a new subnetwork; prints its name",
         Changing("Adds a subnetwork to PROJECT and prints its name."),
         "0 written, 2 PROJECT cannot be read or has findings, or OUT cannot be written",
         Options{kOut} + kChangeOptions,
         RunAddSubnetwork},
        {"assign-addresses", "PROJECT", 1, 1, "free APPIDs and MACs where they are missing or repeated",
         Changing("Gives every GSE and SMV address of PROJECT whose APPID or MAC-Address is malformed, out of"
                  " its range or repeated on its subnetwork the lowest free one of its range there, and makes"
                  " the address of every GOOSE or sampled value control block without one; prints one line"
                  " per value given or address made. Values that are well formed, in range and unique stay."),
         "0 written, 1 written but a range ran out or a control block has no ConnectedAP, 2 PROJECT cannot"
         " be read or has findings, or OUT cannot be written",
         Options{kOut} + kChangeOptions,
         RunAssignAddresses},
        {"add-time-server", "PROJECT", 1, 1, "a time server; prints its name",
         Changing("Adds a time server to PROJECT as Add Time Server does and prints its name; the options"
                  " answer the dialog, its proposals stand for those left out."),
         "0 written, 2 refused, PROJECT cannot be read or has findings, or OUT cannot be written",
         Options{kOut,
                 {"--name", "N", "its name"},
                 {"--subnetwork", "S", "the subnetwork it joins"},
                 {"--ip", "A.B.C.D", "its IP address"}} +
             kChangeOptions,
         RunAddTimeServer},
        {"delete", "PROJECT", 1, 1, "removes an IED, time server or dataset",
         Changing("Removes one IED, time server or dataset of PROJECT as Delete does, without asking; give"
                  " exactly one of --ied, --time-server and --dataset. Prints the inputs of other IEDs that"
                   " still name a removed IED or take a member of the removed GOOSE dataset."),
         "0 written, 1 written and such inputs were printed, 2 refused, PROJECT cannot"
         " be read or has findings, or OUT cannot be written",
         Options{kOut,
                 {"--ied", "NAME", "the IED to remove"},
                 {"--time-server", "NAME", "the time server to remove"},
                 {"--dataset", "IED/LD/LN.DS", "the dataset to remove"}} +
             kChangeOptions,
         RunDelete},
        {"datasets", "PROJECT", 1, 1, "each dataset of an IED and its members",
         "Prints each dataset of IED NAME as LD/LN.DS and below it its members, as the dataset window"
         " lists them.",
         "0 printed, 2 no IED NAME or PROJECT cannot be read",
         {{"--ied", "NAME", "the IED", true}},
         RunDatasets},
        {"create-dataset", "PROJECT", 1, 1, "Create dataset with the members of a file",
         Changing("Creates dataset DS in logical node LD/LN as Create dataset does, with the members of FILE"
                  " in their order, one a line: \"LD/LN.DO[.SDO][.DA[.BDA]] [FC]\"; the [FC] may be left"
                  " out unless a data object has data of both ST and MX."),
         "0 written, 2 refused (with the dataset window's message), PROJECT has findings, a file cannot be"
         " read or OUT cannot be written (nothing written)",
         Options{{"--ied", "NAME", "the IED", true},
                 {"--ln", "LD/LN", "the logical node that holds the dataset", true},
                 {"--name", "DS", "the name of the dataset", true},
                 {"--members", "FILE", "the members, one a line (- for standard input)", true},
                 kOut} +
             kChangeOptions,
         RunCreateDataset},
        {"modify-dataset", "PROJECT", 1, 1, "Modify existing dataset from a list of members",
         Changing("Modify existing dataset: FILE, as for create-dataset, is the new list of members. A"
                  " member that FILE still names stays as it is, the others leave and new ones are added,"
                  " in the order of FILE. Prints the inputs of other IEDs wired to a GOOSE message of the"
                  " dataset when its members changed."),
         "0 written, 1 written and inputs of other IEDs are wired to the dataset, 2 refused, PROJECT has"
         " findings, a file cannot be read or OUT cannot be written (nothing written)",
         Options{{"--ied", "NAME", "the IED", true},
                 {"--dataset", "LD/LN.DS", "the dataset", true},
                 {"--rename", "NEW", "its new name"},
                 {"--members", "FILE", "the new members, one a line (- for standard input)", true},
                 kOut} +
             kChangeOptions,
         RunModifyDataset},
        {"mapping", "PROJECT", 1, 1, "the GOOSE mapping window's three trees",
         "Prints the trees of the GOOSE mapping window, \"Outputs:\", \"Inputs:\" and \"Mapping:\", two"
         " blanks a level. A connected input whose source nobody publishes is shown as unconnected and"
         " named on stderr. A project with findings is read without asking.",
         "0 printed, 1 printed and some inputs have no publisher, 2 no GOOSE output or no input, or PROJECT"
         " cannot be read",
         {},
         RunMapping},
        {"map", "PROJECT", 1, 1, "connects and disconnects GOOSE inputs from a script",
         Changing("Connects and disconnects GOOSE inputs as the mapping window does, from a script of one"
                  " action a line (blank lines and lines starting with # are skipped):\n"
                  "  connect IED/LD/SIGNAL OUTPUT-REFERENCE [BIT]\n"
                  "  disconnect IED/LD/SIGNAL\n"
                  "Prints one line per ExtRef changed. A disconnected input keeps only its internal"
                  " address, which the schema does not allow: a script that disconnects needs"
                  " --keep-invalid."),
         "0 written, 1 written and some inputs could not be placed at the start, 2 a line refused (\"line"
         " N:\" and the window's message), PROJECT has findings, a file cannot be read or OUT cannot be"
         " written (nothing written)",
         Options{{"--script", "FILE", "the actions, one a line (- for standard input)", true}, kOut} +
             kChangeOptions,
         RunMap},
        {"batch", "PROJECT", 1, 1, "changing commands, undo and redo from a script, written once",
         Changing("Reads PROJECT once, runs the script's lines on it in order and writes it once to OUT, with"
                  " one history entry. Each line is a command that changes a project, with its words as on"
                  " the command line but without PROJECT and -o (add-ied, update-ied, update-inputs,"
                  " add-subnetwork, add-time-server, assign-addresses, delete, create-dataset, modify-dataset,"
                  " map), or undo,"
                  " or redo, which take back and make again the step of a line; blank lines and lines"
                  " starting with # are skipped, a double-quoted word may hold blanks. Every line the"
                  " commands print starts with \"line N: \". The project is checked at the end: one with"
                  " findings is written only with --keep-invalid."),
         "0 written, 1 written and a line printed findings, 2 a line refused (the batch stops), PROJECT or"
         " the script cannot be read, the project has findings or OUT cannot be written (nothing written)",
         Options{{"--script", "FILE", "the lines, one command a line (- for standard input)", true}, kOut} +
             kChangeOptions,
         RunBatch},
    };
}

// Every command reads a file or the template and checks it against a schema.
std::vector<CommandSpec> WithSchemaOption(std::vector<CommandSpec> commands)
{
    for (CommandSpec& command : commands)
        command.options.push_back({"--schema", "DIR",
                                   "check files against DIR/SCL.xsd (a published schema with its includes)"
                                   " instead of the built-in schema of their edition"});
    return commands;
}

}  // namespace

const OptionSpec* CommandSpec::FindOption(const std::string& name) const
{
    for (const OptionSpec& option : options)
        if (name == option.name) return &option;
    return nullptr;
}

const std::vector<CommandSpec>& Commands()
{
    static const std::vector<CommandSpec> commands = WithSchemaOption(BuildCommands());
    return commands;
}

const CommandSpec* FindCommand(const std::string& name)
{
    for (const CommandSpec& command : Commands())
        if (name == command.name) return &command;
    return nullptr;
}
