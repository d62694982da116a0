#pragma once
#include <string>
#include <string_view>
#include <vector>

// One action of a mapping script, as written on its line.
struct MappingAction {
    int line = 0;
    bool connect = false;
    std::string iedName, ldInst, signal;
    std::string output;  // connect: the output reference with the IED name
    std::string bit;     // connect: "" when no bit index is given
};

// The actions of a mapping script, one a line ("connect IED/LD/SIGNAL OUTPUT [BIT]" or
// "disconnect IED/LD/SIGNAL"), blank lines and lines starting with '#' skipped. False
// with "line N: PROBLEM" in `problem` at the first line that is no action.
bool ParseMappingScript(std::string_view text, std::vector<MappingAction>& actions, std::string& problem);

// IED/LD/SIGNAL, as the script names the input.
std::string InputPath(const MappingAction& action);
