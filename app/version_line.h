#pragma once
#include <string>

// The About box's version line, e.g. "Version: 1.2.1.1 Date: 2015-04-14", from the
// file version and a compile date in the form of __DATE__ ("Apr 14 2015").
std::string VersionLine(const std::string& fileVersion, const char* compileDate);
