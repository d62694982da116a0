#pragma once
#include "project_tree/tree_outline.h"

#include <optional>
#include <string>
#include <vector>

class CVarnholtView;
class UserInterface;

enum class ExportOutcome {
    Written,    // the file was written
    Cancelled,  // a dialog was cancelled; nothing written
    NoIED,      // the project has no IED, or none by the chosen name to export; nothing written
    Failed,     // the file could not be written; the message was shown
};

struct ExportResult {
    ExportOutcome outcome = ExportOutcome::Cancelled;
    std::string iedName;             // the IED chosen in "Select IED for exporting"
    std::vector<std::string> lines;  // a text export's lines, once made, also when the file question was cancelled
    std::optional<TreeCut> cut;      // where and why the description stops short of the document
    std::string confirmation;        // "Exported WHAT to FILE" once written, for the status bar
};

// The three exports. Each asks through `ui`, first for the IED when it exports one,
// then for the file.

// Export IID/CID: the IED (or time server) chosen in "Select IED for exporting" as a
// file of its own.
ExportResult OnExportIIDCID(CVarnholtView& view, UserInterface& ui);
// Export variables: the MMS names of all IEDs into a text file the person names.
ExportResult OnExportVariables(CVarnholtView& view, UserInterface& ui);
// Export IED description: the outline of the IED chosen in "Select IED for exporting".
// A description that the project tree cuts short is written as far as it goes, and
// the cut is shown once the file is written.
ExportResult OnExportIEDDescription(CVarnholtView& view, UserInterface& ui);
