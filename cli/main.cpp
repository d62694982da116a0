#include "cli/arguments.h"
#include "cli/command_table.h"
#include "cli/commands.h"
#include "document/edition_schemas.h"
#include "document/version_line.h"

#include <libxml/parser.h>

#include <algorithm>
#include <iostream>

namespace {

bool IsHelp(const std::string& word)
{
    return word == "--help" || word == "-h";
}

int Run(const std::vector<std::string>& words)
{
    if (words.empty()) {
        WriteUsage(std::cerr);
        return kExitFailure;
    }
    const std::string& name = words[0];
    if (IsHelp(name) || (name == "help" && words.size() == 1)) {
        WriteUsage(std::cout);
        return kExitOk;
    }
    if (name == "--version") {
        std::cout << ProgramVersionLine() << "\n";
        return kExitOk;
    }
    const bool helpFor = name == "help" && words.size() == 2;
    const CommandSpec* command = FindCommand(helpFor ? words[1] : name);
    if (!command) {
        std::cerr << "varnholt-cli: unknown command " << (helpFor ? words[1] : name) << "; see varnholt-cli --help\n";
        return kExitFailure;
    }
    std::vector<std::string> rest(words.begin() + 1, words.end());
    auto end = std::find(rest.begin(), rest.end(), "--");
    if (helpFor || std::any_of(rest.begin(), end, IsHelp)) {
        WriteCommandHelp(*command, std::cout);
        return kExitOk;
    }
    std::string error;
    std::optional<Arguments> arguments = ParseArguments(*command, rest, error);
    if (!arguments) {
        std::cerr << "varnholt-cli " << command->name << ": " << error << "; see varnholt-cli " << command->name
                  << " --help\n";
        return kExitFailure;
    }
    if (std::optional<std::string> folder = arguments->Value("--schema")) {
        std::string reason;
        if (!EditionSchemas().UseFolder(*folder, reason)) {
            std::cerr << "varnholt-cli " << command->name << ": the schema folder " << *folder
                      << " cannot be used: " << reason << "\n";
            return kExitFailure;
        }
        SetSchemaFolderForDocuments(*folder);
    }
    return command->run(*arguments, std::cout, std::cerr);
}

}  // namespace

int main(int argc, char** argv)
{
    int status = Run(std::vector<std::string>(argv + 1, argv + argc));
    xmlCleanupParser();
    return status;
}
