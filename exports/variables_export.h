#pragma once
#include <string>
#include <vector>

class CVarnholtView;

// The MMS object names of every IED of the project, one per line, in the order of the
// export: for each IED element in document order (time servers give nothing), walking
// its project tree items, the control attributes (Oper, SBOw, SBO, Cancel) of each
// logical node's data, then its datasets, each followed by its members, and its report
// control blocks. A member already listed for the same IED is not repeated.
std::vector<std::string> CollectVariableLines(const CVarnholtView& view);

// The text of the export file: every line followed by CR LF.
std::string VariablesFileText(const std::vector<std::string>& lines);
