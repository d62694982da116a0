#pragma once
#include <iosfwd>
#include <string>
#include <vector>

// The lines of the file `source`, or of standard input for "-". False after telling
// "SOURCE: cannot be read: CAUSE" on `err`.
bool ReadTextLines(const std::string& source, std::vector<std::string>& lines, std::ostream& err);
