#pragma once
#include "cli/arguments.h"

#include <iosfwd>

class CVarnholtDoc;
class CliUi;

// The steps every command that reads a project, changes it and writes it shares. A
// project is opened as the desktop's Open does; for a file that cannot be read, the
// message printed names the file and the cause.

// Opens PROJECT for a command that only reads it: like `tree`, a project with
// findings is read without asking.
bool OpenToRead(CVarnholtDoc& doc, const Arguments& arguments, std::ostream& err);
// Opens the project of a command that writes it back: a file with findings is taken
// only with --keep-invalid. Returns the exit status to stop with (kExitFailure, nothing
// written), or kExitOk.
int OpenForChange(CVarnholtDoc& doc, CliUi& ui, const Arguments& arguments, std::ostream& err);
// Saves to -o OUT with a version history entry when a history option is given.
int SaveTo(CVarnholtDoc& doc, CliUi& ui, const Arguments& arguments, std::ostream& err);
// SaveTo for a project a command changed: its validity is computed again (schema and
// dataset references), and one with findings is written only with --keep-invalid.
int SaveChangedProject(CVarnholtDoc& doc, CliUi& ui, const Arguments& arguments, std::ostream& err);
