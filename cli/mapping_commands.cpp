// mapping and map: the GOOSE mapping window as an outline and driven by a script of
// connect and disconnect actions, each turned into the window's gestures.
#include "cli/cli_ui.h"
#include "cli/commands.h"
#include "cli/mapping_script.h"
#include "cli/project_change.h"
#include "cli/project_session.h"
#include "cli/text_lines.h"
#include "document/varnholt_doc.h"
#include "document/xml_text.h"
#include "goose/mapping_command.h"
#include "project_tree/varnholt_view.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

bool ReadScript(const std::string& source, std::vector<MappingAction>& actions, std::ostream& err)
{
    std::string text, problem;
    if (!ReadTextFile(source, text, err)) return false;
    if (ParseMappingScript(text, actions, problem)) return true;
    err << problem << "\n";
    return false;
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
    if (!output) return "no GOOSE output " + QuotedText(action.output);
    if (dialog.TreeOf(output) == MappingTree::Outputs) {
        if (std::string refusal = DragAndDrop(dialog, output, MappingTree::Mapping, nullptr); !refusal.empty())
            return refusal;
        output = dialog.FindOutput(action.output);
        if (!output || dialog.TreeOf(output) != MappingTree::Mapping)
            return "the output " + QuotedText(action.output) + " did not move to the Mapping tree";
    }
    MappingNode* input = dialog.FindInput(action.iedName, action.ldInst, action.signal);
    if (!input) return "no input " + QuotedText(InputPath(action));
    if (std::string refusal = DragAndDrop(dialog, input, MappingTree::Mapping, output); !refusal.empty())
        return refusal;
    input = dialog.FindInput(action.iedName, action.ldInst, action.signal);
    if (!input || input->parent != output) return "the input " + QuotedText(InputPath(action)) + " was not connected";
    if (action.bit.empty()) return "";
    dialog.Select(MappingTree::Mapping, input);
    const std::vector<std::string>& choices = dialog.BitIndexChoices();
    auto chosen = std::find(choices.begin(), choices.end(), action.bit);
    if (chosen == choices.end()) {
        if (choices.empty()) return "the input takes no bit index";
        return "bit index " + QuotedText(action.bit) + " is not one of 0 to " + choices.back();
    }
    dialog.SelectBitIndex(static_cast<int>(chosen - choices.begin()));
    return "";
}

std::string Disconnect(CMappingDialog& dialog, const MappingAction& action)
{
    MappingNode* input = dialog.FindInput(action.iedName, action.ldInst, action.signal);
    if (!input) return "no input " + QuotedText(InputPath(action));
    if (dialog.TreeOf(input) != MappingTree::Mapping)
        return "the input " + QuotedText(InputPath(action)) + " is not connected";
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
    CliUi ui(err);
    ProjectSession session(arguments, ui, err);
    if (!session.IsOpen()) return kExitFailure;
    CVarnholtDoc& doc = session.Doc();
    CVarnholtView& view = session.View();
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
