#pragma once
#include <map>
#include <optional>
#include <string>
#include <vector>

struct CommandSpec;

// The words after the command: its files, its options with a value ("--ied NAME",
// "-o OUT") and its flags ("--keep-invalid").
struct Arguments {
    std::string command;
    std::vector<std::string> files;
    std::map<std::string, std::string> values;
    std::vector<std::string> flags;

    bool HasFlag(const std::string& name) const;
    std::optional<std::string> Value(const std::string& name) const;
    // The value of an option the command requires; the parse made sure it is there.
    std::string Required(const std::string& name) const;
};

// Reads `words` (the command line after the command) as `command` takes it. Returns
// nothing and sets `error` for an option the command does not take, a missing value or
// required option, an option given twice and a wrong number of files. After "--"
// every word is a file.
std::optional<Arguments> ParseArguments(const CommandSpec& command, const std::vector<std::string>& words,
                                        std::string& error);
