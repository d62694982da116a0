#pragma once
#include "cli/arguments.h"

#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

struct OptionSpec {
    const char* name;   // "--ied", "-o"
    const char* value;  // what its value is, e.g. "NAME"; null for a flag
    const char* help;
    bool required = false;
};

using CommandHandler = int (*)(const Arguments& arguments, std::ostream& out, std::ostream& err);

// One command of varnholt-cli: what dispatch, the help texts and the argument check
// know of it.
struct CommandSpec {
    const char* name;
    const char* files;  // the file operands as the usage shows them, e.g. "PROJECT IEDFILE"
    size_t minFiles;
    size_t maxFiles;
    const char* summary;      // one line in the list of commands
    std::string description;  // what the command does, for COMMAND --help
    const char* exits;        // what each exit code means for it
    std::vector<OptionSpec> options;
    CommandHandler run;

    const OptionSpec* FindOption(const std::string& name) const;
};

// Every command, in the order --help lists them.
const std::vector<CommandSpec>& Commands();
const CommandSpec* FindCommand(const std::string& name);

void WriteUsage(std::ostream& out);
void WriteCommandHelp(const CommandSpec& command, std::ostream& out);
