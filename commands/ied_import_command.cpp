#include "commands/ied_import_command.h"

ImportResult OnAddIED(CVarnholtView&, UserInterface&) { return {}; }
ImportResult AddIEDFromFile(CVarnholtView&, const std::string&, UserInterface&) { return {}; }
ImportResult OnUpdateIED(CVarnholtView&, UserInterface&) { return {}; }
ImportResult UpdateIEDFromFile(CVarnholtView&, const std::string&, UserInterface&) { return {}; }
