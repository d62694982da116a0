#include "cli/mapping_script.h"

#include "cli/text_lines.h"
#include "document/xml_text.h"

#include <sstream>

namespace {

// IED/LD/SIGNAL; the signal name may itself hold a "/".
bool SplitInputPath(const std::string& path, MappingAction& action)
{
    size_t first = path.find('/');
    size_t second = first == std::string::npos ? first : path.find('/', first + 1);
    if (second == std::string::npos) return false;
    action.iedName = path.substr(0, first);
    action.ldInst = path.substr(first + 1, second - first - 1);
    action.signal = path.substr(second + 1);
    return !action.iedName.empty() && !action.ldInst.empty() && !action.signal.empty();
}

bool ParseAction(const std::string& text, MappingAction& action, std::string& problem)
{
    std::istringstream words(text);
    std::string verb, input;
    std::vector<std::string> rest;
    words >> verb >> input;
    for (std::string word; words >> word;) rest.push_back(word);
    action.connect = verb == "connect";
    if (!action.connect && verb != "disconnect") {
        problem = "unknown action " + QuotedText(verb) + " (connect or disconnect)";
        return false;
    }
    if (!SplitInputPath(input, action)) {
        problem = "give the input as IED/LD/SIGNAL";
        return false;
    }
    if (!action.connect) {
        if (rest.empty()) return true;
        problem = "disconnect takes only the input";
        return false;
    }
    if (rest.empty() || rest.size() > 2) {
        problem = "connect takes the input, the output reference and optionally a bit index";
        return false;
    }
    action.output = rest[0];
    if (rest.size() == 2) action.bit = rest[1];
    return true;
}

}  // namespace

bool ParseMappingScript(std::string_view text, std::vector<MappingAction>& actions, std::string& problem)
{
    int number = 0;
    for (const std::string& line : TextLines(text)) {
        ++number;
        size_t start = line.find_first_not_of(" \t\r");
        if (start == std::string::npos || line[start] == '#') continue;
        MappingAction action;
        action.line = number;
        if (!ParseAction(line, action, problem)) {
            problem = "line " + std::to_string(number) + ": " + problem;
            return false;
        }
        actions.push_back(std::move(action));
    }
    return true;
}

std::string InputPath(const MappingAction& action)
{
    return action.iedName + "/" + action.ldInst + "/" + action.signal;
}
