#include "cli/arguments.h"

#include "cli/command_table.h"

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

std::string Arguments::Required(const std::string& name) const
{
    return Value(name).value_or("");
}

namespace {

std::string FileCount(size_t count)
{
    return std::to_string(count) + (count == 1 ? " file name" : " file names");
}

}  // namespace

std::optional<Arguments> ParseArguments(const CommandSpec& command, const std::vector<std::string>& words,
                                        std::string& error)
{
    Arguments arguments;
    arguments.command = command.name;
    bool onlyFiles = false;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (onlyFiles || word.size() < 2 || word[0] != '-') {
            arguments.files.push_back(word);
            continue;
        }
        if (word == "--") {
            onlyFiles = true;
            continue;
        }
        const OptionSpec* option = command.FindOption(word);
        if (!option) {
            error = std::string(command.name) + " takes no option " + word;
            return std::nullopt;
        }
        if (!option->value) {
            arguments.flags.push_back(word);
        } else if (i + 1 >= words.size()) {
            error = "option " + word + " needs a value (" + option->value + ")";
            return std::nullopt;
        } else if (!arguments.values.emplace(word, words[++i]).second) {
            error = "option " + word + " is given twice";
            return std::nullopt;
        }
    }
    for (const OptionSpec& option : command.options) {
        if (option.required && !arguments.Value(option.name)) {
            error = std::string(option.name) + " " + option.value + " is required";
            return std::nullopt;
        }
    }
    if (arguments.files.size() < command.minFiles || arguments.files.size() > command.maxFiles) {
        error = std::string("expected ") + (*command.files ? command.files : "no file name") + ", got " +
                FileCount(arguments.files.size());
        return std::nullopt;
    }
    return arguments;
}
