// mapping and map: the GOOSE mapping window as an outline and driven by a script of
// connect and disconnect actions, each turned into the window's gestures.
#include "cli/cli_ui.h"
#include "cli/commands.h"
#include "cli/project_change.h"
#include "cli/text_lines.h"
#include "core/varnholt_doc.h"
#include "goose/mapping_command.h"
#include "tree/varnholt_view.h"

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

// One action of the script, as written on its line.
struct MappingAction {
    int line = 0;
    bool connect = false;
    std::string iedName, ldInst, signal;
    std::string output;  // connect: the output reference with the IED name
    std::string bit;     // connect: "" when no bit index is given
};

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
        problem = "unknown action \"" + verb + "\" (connect or disconnect)";
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

bool ReadScript(const std::string& source, std::vector<MappingAction>& actions, std::ostream& err)
{
    std::vector<std::string> lines;
    if (!ReadTextLines(source, lines, err)) return false;
    int number = 0;
    for (const std::string& line : lines) {
        ++number;
        size_t start = line.find_first_not_of(" \t\r");
        if (start == std::string::npos || line[start] == '#') continue;
        MappingAction action;
        action.line = number;
        std::string problem;
        if (!ParseAction(line, action, problem)) {
            err << "line " << number << ": " << problem << "\n";
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

// Drags `node` from its tree and drops it on `under` of `target`, as the window does.
std::string DragAndDrop(CMappingDialog& dialog, MappingNode* node, MappingTree target, MappingNode* under)
{
    if (!dialog.CanDrag(node)) return "this node cannot be dragged";
    dialog.Select(dialog.TreeOf(node), node);
    return dialog.Drop(node, target, under);
}

std::string Connect(CMappingDialog& dialog, const MappingAction& action)
{
    MappingNode* output = dialog.FindOutput(action.output);
    if (!output) return "no GOOSE output " + action.output;
    if (dialog.TreeOf(output) == MappingTree::Outputs) {
        if (std::string refusal = DragAndDrop(dialog, output, MappingTree::Mapping, nullptr); !refusal.empty())
            return refusal;
        output = dialog.FindOutput(action.output);
        if (!output || dialog.TreeOf(output) != MappingTree::Mapping)
            return "the output " + action.output + " did not move to the Mapping tree";
    }
    MappingNode* input = dialog.FindInput(action.iedName, action.ldInst, action.signal);
    if (!input) return "no input " + InputPath(action);
    if (std::string refusal = DragAndDrop(dialog, input, MappingTree::Mapping, output); !refusal.empty())
        return refusal;
    input = dialog.FindInput(action.iedName, action.ldInst, action.signal);
    if (!input || input->parent != output) return "the input " + InputPath(action) + " was not connected";
    if (action.bit.empty()) return "";
    dialog.Select(MappingTree::Mapping, input);
    const std::vector<std::string>& choices = dialog.BitIndexChoices();
    auto chosen = std::find(choices.begin(), choices.end(), action.bit);
    if (chosen == choices.end()) {
        if (choices.empty()) return "the input takes no bit index";
        return "bit index " + action.bit + " is not one of 0 to " + choices.back();
    }
    dialog.SelectBitIndex(static_cast<int>(chosen - choices.begin()));
    return "";
}

std::string Disconnect(CMappingDialog& dialog, const MappingAction& action)
{
    MappingNode* input = dialog.FindInput(action.iedName, action.ldInst, action.signal);
    if (!input) return "no input " + InputPath(action);
    if (dialog.TreeOf(input) != MappingTree::Mapping) return "the input " + InputPath(action) + " is not connected";
    return DragAndDrop(dialog, input, MappingTree::Inputs, nullptr);
}

void ReportStartup(const CMappingDialog& dialog, std::ostream& err)
{
    std::string message = dialog.StartupMessage();
    if (message.empty()) return;
    err << message;
    if (message.back() != '\n') err << "\n";
}

}  // namespace

int RunMapping(const Arguments& arguments, std::ostream& out, std::ostream& err)
{
    CVarnholtDoc doc;
    CVarnholtView view(doc);
    if (!OpenToRead(doc, arguments, err)) return kExitFailure;
    std::string refusal;
    std::unique_ptr<CMappingDialog> dialog = OpenMappingDialog(view, refusal);
    if (!dialog) {
        err << refusal << "\n";
        return kExitFailure;
    }
    out << MappingOutline(*dialog);
    ReportStartup(*dialog, err);
    return dialog->StartupMessage().empty() ? kExitOk : kExitFindings;
}

int RunMap(const Arguments& arguments, std::ostream& out, std::ostream& err)
{
    std::vector<MappingAction> actions;
    if (!ReadScript(arguments.Required("--script"), actions, err)) return kExitFailure;
    CVarnholtDoc doc;
    CVarnholtView view(doc);
    CliUi ui(err);
    if (OpenForChange(doc, ui, arguments, err) != kExitOk) return kExitFailure;
    std::string refusal;
    std::unique_ptr<CMappingDialog> dialog = OpenMappingDialog(view, refusal);
    if (!dialog) {
        err << refusal << "\n";
        return kExitFailure;
    }
    ReportStartup(*dialog, err);
    for (const MappingAction& action : actions) {
        std::string problem = action.connect ? Connect(*dialog, action) : Disconnect(*dialog, action);
        if (problem.empty()) continue;
        err << "line " << action.line << ": " << problem << "\n";
        return kExitFailure;
    }
    std::vector<std::string> changes = WriteMappingBack(view, *dialog);
    if (int saved = SaveChangedProject(doc, ui, arguments, err); saved != kExitOk) return saved;
    for (const std::string& line : changes) out << line << "\n";
    return dialog->StartupMessage().empty() ? kExitOk : kExitFindings;
}
