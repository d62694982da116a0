#include "cli/cli_runner.h"

#include "support/test_support.h"

#include <sys/wait.h>

#include <cstdlib>

namespace {

std::string Quoted(const std::string& word)
{
    std::string quoted = "'";
    for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

}  // namespace

CliResult RunCli(const std::vector<std::string>& arguments, const std::string& input)
{
    TempDir dir;
    std::string command = Quoted(VARNHOLT_CLI);
    for (const std::string& argument : arguments) command += " " + Quoted(argument);
    if (!input.empty()) command += " <" + Quoted(input);
    command += " >" + Quoted(dir.File("out")) + " 2>" + Quoted(dir.File("err"));
    int status = std::system(command.c_str());
    CliResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = ReadFileText(dir.File("out"));
    result.err = ReadFileText(dir.File("err"));
    return result;
}
