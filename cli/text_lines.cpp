#include "cli/text_lines.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>

bool ReadTextLines(const std::string& source, std::vector<std::string>& lines, std::ostream& err)
{
    std::ifstream file;
    errno = 0;
    if (source != "-") file.open(source);
    std::istream& in = source == "-" ? std::cin : file;
    if (in) {
        for (std::string line; std::getline(in, line);) lines.push_back(std::move(line));
        if (!in.bad()) return true;
    }
    err << source << ": cannot be read";
    if (errno != 0) err << ": " << std::strerror(errno);
    err << "\n";
    return false;
}
