#pragma once
#include <string>
#include <vector>

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs varnholt-cli with the arguments (each passed as one word), standard input read
// from the file `input` when one is named.
CliResult RunCli(const std::vector<std::string>& arguments, const std::string& input = "");
