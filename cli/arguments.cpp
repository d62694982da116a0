#include "cli/arguments.h"

#include <algorithm>

bool Arguments::HasFlag(const std::string& name) const
{
    return std::find(flags.begin(), flags.end(), name) != flags.end();
}

std::optional<std::string> Arguments::Value(const std::string& name) const
{
    auto found = values.find(name);
    if (found == values.end()) return std::nullopt;
    return found->second;
}

std::optional<Arguments> ParseArguments(int argc, char** argv, const std::vector<std::string>& valueOptions,
                                        const std::vector<std::string>& flagOptions, std::string& error)
{
    Arguments arguments;
    if (argc < 2) {
        error = "no command given";
        return std::nullopt;
    }
    arguments.command = argv[1];
    auto contains = [](const std::vector<std::string>& list, const std::string& item) {
        return std::find(list.begin(), list.end(), item) != list.end();
    };
    for (int i = 2; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument.size() < 2 || argument[0] != '-') {
            arguments.files.push_back(argument);
        } else if (contains(valueOptions, argument)) {
            if (i + 1 >= argc) {
                error = "option " + argument + " needs a value";
                return std::nullopt;
            }
            arguments.values[argument] = argv[++i];
        } else if (contains(flagOptions, argument)) {
            arguments.flags.push_back(argument);
        } else {
            error = "unknown option " + argument;
            return std::nullopt;
        }
    }
    return arguments;
}
