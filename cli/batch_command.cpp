// batch: changing commands, undo and redo from a script, on one project read once and
// written once.
#include "cli/cli_ui.h"
#include "cli/command_table.h"
#include "cli/commands.h"
#include "cli/project_change.h"
#include "cli/project_session.h"
#include "cli/text_lines.h"
#include "document/varnholt_doc.h"
#include "document/xml_text.h"
#include "project_tree/varnholt_view.h"

#include <algorithm>
#include <ostream>
#include <sstream>

namespace {

const char* const kBatchCommands[] = {"add-ied",         "update-ied",       "update-inputs",
                                      "add-subnetwork",  "add-time-server",  "assign-addresses",
                                      "delete",          "create-dataset",   "modify-dataset",
                                      "map"};

// The words of a script line: separated by blanks, a double-quoted word may hold blanks.
// False for a quote left open.
bool SplitWords(const std::string& line, std::vector<std::string>& words)
{
    std::string word;
    bool inWord = false, quoted = false;
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if ((c == ' ' || c == '\t' || c == '\r') && !quoted) {
            if (inWord) words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) words.push_back(word);
    return !quoted;
}

// Each line of `text` after "line N: ".
void PrintNumbered(size_t number, const std::string& text, std::ostream& to)
{
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) to << "line " << number << ": " << line << "\n";
}

// One script line; the exit status of its command (undo and redo: 0, or 2 when there
// is nothing to take back or make again).
int RunLine(size_t number, const std::vector<std::string>& words, const Arguments& batch, BatchProject& project,
            std::ostream& out, std::ostream& err)
{
    if (words[0] == "undo" || words[0] == "redo") {
        const bool undo = words[0] == "undo";
        if (words.size() == 1 && (undo ? project.doc.Undo() : project.doc.Redo())) return kExitOk;
        PrintNumbered(number, words.size() > 1 ? words[0] + " takes no words"
                                               : std::string("nothing to ") + words[0],
                      err);
        return kExitFailure;
    }
    const CommandSpec* command = FindCommand(words[0]);
    if (!command || std::find(std::begin(kBatchCommands), std::end(kBatchCommands), words[0]) ==
                        std::end(kBatchCommands)) {
        PrintNumbered(number, "unknown command " + QuotedText(words[0]) + " (a command that changes the project, undo"
                                  " or redo)", err);
        return kExitFailure;
    }
    // The line's words follow the project; -o is the batch's.
    std::vector<std::string> commandWords{batch.files[0]};
    commandWords.insert(commandWords.end(), words.begin() + 1, words.end());
    commandWords.insert(commandWords.end(), {"-o", batch.Required("-o")});
    std::string error;
    std::optional<Arguments> arguments = ParseArguments(*command, commandWords, error);
    if (!arguments) {
        PrintNumbered(number, words[0] + ": " + error, err);
        return kExitFailure;
    }
    std::ostringstream lineOut, lineErr;
    const int status = command->run(*arguments, lineOut, lineErr);
    PrintNumbered(number, lineOut.str(), out);
    PrintNumbered(number, lineErr.str(), err);
    return status;
}

}  // namespace

int RunBatch(const Arguments& arguments, std::ostream& out, std::ostream& err)
{
    std::string script;
    if (!ReadTextFile(arguments.Required("--script"), script, err)) return kExitFailure;
    CVarnholtDoc doc;
    CVarnholtView view(doc);
    CliUi ui(err);
    if (OpenForChange(doc, ui, arguments, err) != kExitOk) return kExitFailure;

    BatchProject project{doc, view};
    SetRunningBatch(&project);
    bool findings = false;
    int status = kExitOk;
    const std::vector<std::string> lines = TextLines(script);
    for (size_t i = 0; i < lines.size() && status != kExitFailure; ++i) {
        std::vector<std::string> words;
        if (!SplitWords(lines[i], words)) {
            PrintNumbered(i + 1, "a quote is left open", err);
            status = kExitFailure;
            break;
        }
        if (words.empty() || words[0].starts_with("#")) continue;
        status = RunLine(i + 1, words, arguments, project, out, err);
        findings = findings || status == kExitFindings;
    }
    SetRunningBatch(nullptr);
    if (status == kExitFailure) return kExitFailure;
    const int saved = SaveChangedProject(doc, ui, arguments, err);
    return saved != kExitOk ? saved : findings ? kExitFindings : kExitOk;
}
