#pragma once
#include <map>
#include <optional>
#include <string>
#include <vector>

// A command line of the form: command [options] [files], where an option is
// "--name value", "-o value" or a flag "--name".
struct Arguments {
    std::string command;
    std::vector<std::string> files;
    std::map<std::string, std::string> values;
    std::vector<std::string> flags;

    bool HasFlag(const std::string& name) const;
    std::optional<std::string> Value(const std::string& name) const;
};

// Parses argv; `valueOptions` names the options that take a value. Returns nothing
// and sets `error` for an unknown option or a missing value.
std::optional<Arguments> ParseArguments(int argc, char** argv, const std::vector<std::string>& valueOptions,
                                        const std::vector<std::string>& flagOptions, std::string& error);
