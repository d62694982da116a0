#pragma once
#include "cli/arguments.h"

#include <iosfwd>

// Exit codes: 0 done and clean, 1 done with findings (or stopped by findings, as each
// command tells), 2 refused: a wrong command line, a file that cannot be read or
// written, or a request the project cannot meet.
constexpr int kExitOk = 0;
constexpr int kExitFindings = 1;
constexpr int kExitFailure = 2;

int RunVerify(const Arguments& arguments, std::ostream& out, std::ostream& err);
int RunTree(const Arguments& arguments, std::ostream& out, std::ostream& err);
int RunSave(const Arguments& arguments, std::ostream& out, std::ostream& err);
int RunNew(const Arguments& arguments, std::ostream& out, std::ostream& err);
int RunUpdateInputs(const Arguments& arguments, std::ostream& out, std::ostream& err);
int RunAddIED(const Arguments& arguments, std::ostream& out, std::ostream& err);
int RunUpdateIED(const Arguments& arguments, std::ostream& out, std::ostream& err);
int RunVariables(const Arguments& arguments, std::ostream& out, std::ostream& err);
int RunDescription(const Arguments& arguments, std::ostream& out, std::ostream& err);
int RunExportIID(const Arguments& arguments, std::ostream& out, std::ostream& err);
int RunAddSubnetwork(const Arguments& arguments, std::ostream& out, std::ostream& err);
int RunDelete(const Arguments& arguments, std::ostream& out, std::ostream& err);
int RunAddTimeServer(const Arguments& arguments, std::ostream& out, std::ostream& err);
int RunDatasets(const Arguments& arguments, std::ostream& out, std::ostream& err);
int RunCreateDataset(const Arguments& arguments, std::ostream& out, std::ostream& err);
int RunModifyDataset(const Arguments& arguments, std::ostream& out, std::ostream& err);
int RunMapping(const Arguments& arguments, std::ostream& out, std::ostream& err);
int RunMap(const Arguments& arguments, std::ostream& out, std::ostream& err);
int RunFlow(const Arguments& arguments, std::ostream& out, std::ostream& err);
int RunDiff(const Arguments& arguments, std::ostream& out, std::ostream& err);
int RunAddresses(const Arguments& arguments, std::ostream& out, std::ostream& err);
int RunAssignAddresses(const Arguments& arguments, std::ostream& out, std::ostream& err);
int RunBatch(const Arguments& arguments, std::ostream& out, std::ostream& err);
