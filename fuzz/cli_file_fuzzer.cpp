#include "fuzz/cli_file_fuzzer.h"

#include "cli/command_table.h"
#include "fuzz/fuzz_support.h"

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

int RunCliFileInput(const uint8_t* data, size_t size, std::initializer_list<std::string_view> commands,
                    const char* fileOption)
{
    const auto files = SplitInput(data, size);
    if (!files) return -1;
    const std::string_view text = files->second;
    const size_t end = std::min(text.find('\n'), text.size());
    std::istringstream commandLine{std::string(text.substr(0, end))};
    std::string name;
    commandLine >> name;
    if (std::find(commands.begin(), commands.end(), name) == commands.end()) return -1;
    const CommandSpec* command = FindCommand(name);
    if (!command) return -1;

    const std::string project = ScratchFile("project.scd"), lines = ScratchFile("lines.txt");
    WriteScratchFile(project, files->first);
    WriteScratchFile(lines, text.substr(std::min(end + 1, text.size())));
    // The fixed words come first: an option of the input cannot take one of them as
    // its value, and giving one of them again is refused.
    std::vector<std::string> words{project, fileOption, lines, "-o", ScratchFile("saved.scd")};
    for (std::string word; commandLine >> word;) words.push_back(word);
    std::string error;
    if (auto arguments = ParseArguments(*command, words, error)) {
        std::ostringstream out, err;
        command->run(*arguments, out, err);
    }
    ClearScratch();
    return 0;
}
