// The texts of --help and COMMAND --help, made from the command table.
#include "cli/command_table.h"

#include <algorithm>
#include <ostream>
#include <sstream>

namespace {

constexpr size_t kWidth = 80;

// Writes `text` wrapped at kWidth, each line after the first indented by `indent`
// blanks; a line of `text` that starts with a blank is kept as it is.
void WriteWrapped(std::ostream& out, const std::string& text, size_t indent, size_t column)
{
    std::istringstream lines(text);
    bool firstLine = true;
    for (std::string line; std::getline(lines, line); firstLine = false) {
        if (!firstLine) {
            out << "\n" << std::string(indent, ' ');
            column = indent;
        }
        if (line.starts_with(' ')) {
            out << line;
            continue;
        }
        std::istringstream words(line);
        bool lineStart = true;
        for (std::string word; words >> word; lineStart = false) {
            if (!lineStart && column + 1 + word.size() > kWidth) {
                out << "\n" << std::string(indent, ' ');
                column = indent;
            } else if (!lineStart) {
                out << ' ';
                ++column;
            }
            out << word;
            column += word.size();
        }
    }
    out << "\n";
}

std::string OptionText(const OptionSpec& option)
{
    return option.value ? std::string(option.name) + " " + option.value : option.name;
}

std::string Synopsis(const CommandSpec& command)
{
    std::string synopsis = std::string("varnholt-cli ") + command.name;
    if (*command.files) synopsis += std::string(" ") + command.files;
    bool optional = false;
    for (const OptionSpec& option : command.options) {
        if (option.required) synopsis += " " + OptionText(option);
        optional = optional || !option.required;
    }
    return optional ? synopsis + " [OPTIONS]" : synopsis;
}

}  // namespace

void WriteUsage(std::ostream& out)
{
    out << "Usage: varnholt-cli COMMAND [OPTIONS] FILE...\n"
           "       varnholt-cli COMMAND --help\n"
           "       varnholt-cli --version\n\n"
           "Works on SCL projects without a display, with the rules of the desktop program.\n\n"
           "Commands:\n";
    size_t width = 0;
    for (const CommandSpec& command : Commands()) width = std::max(width, std::string(command.name).size());
    for (const CommandSpec& command : Commands())
        out << "  " << command.name << std::string(width + 2 - std::string(command.name).size(), ' ')
            << command.summary << "\n";
    out << "\n";
    WriteWrapped(out,
                 "Exit status: 0 done and clean, 1 done with findings, 2 refused or a file cannot be read or"
                 " written. varnholt-cli COMMAND --help tells what they mean for the command.",
                 0, 0);
}

void WriteCommandHelp(const CommandSpec& command, std::ostream& out)
{
    out << "Usage: ";
    WriteWrapped(out, Synopsis(command), 7 + 14 + std::string(command.name).size(), 7);
    out << "\n";
    WriteWrapped(out, command.description, 0, 0);
    if (!command.options.empty()) {
        out << "\nOptions:\n";
        size_t width = 0;
        for (const OptionSpec& option : command.options) width = std::max(width, OptionText(option).size());
        for (const OptionSpec& option : command.options) {
            std::string text = OptionText(option);
            out << "  " << text << std::string(width + 2 - text.size(), ' ');
            WriteWrapped(out, option.help, width + 4, width + 4);
        }
    }
    out << "\nExit status: ";
    WriteWrapped(out, command.exits, 2, 13);
}
