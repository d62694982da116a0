#pragma once
#include "import/type_merge.h"

#include <string>
#include <vector>

class CVarnholtView;
class UserInterface;

// Add IED and Update IED: the whole sequence from reading the file to updating the
// inputs of the IED, in one place that the desktop program and the command-line tool
// both call. Every question goes through the UserInterface.

enum class ImportOutcome {
    Done,        // the project was changed
    Cancelled,   // the person stopped at a question or a dialog; nothing changed
    Unreadable,  // the file could not be read; nothing changed
    Refused,     // the file or the selection does not fit the command; nothing changed
};

struct ImportResult {
    ImportOutcome outcome = ImportOutcome::Cancelled;
    std::string iedName;              // the IED's name in the project
    std::string readError;            // why the file could not be read
    std::vector<std::string> log;     // placement, Update Inputs and dangling input lines, as in the log window
    TypeMergeRecord types;            // what became of each type of the file
};

// Asks for an ICD, IID or CID file, then adds its IED to the project.
ImportResult OnAddIED(CVarnholtView& view, UserInterface& ui);
ImportResult AddIEDFromFile(CVarnholtView& view, const std::string& path, UserInterface& ui);

// Asks for an IID or CID file, then replaces the selected IED by the file's.
ImportResult OnUpdateIED(CVarnholtView& view, UserInterface& ui);
ImportResult UpdateIEDFromFile(CVarnholtView& view, const std::string& path, UserInterface& ui);
