#pragma once
#include <string>

// The version line of the About box, e.g. "Version: 1.2.1.1 Date: 2015-04-14", from a
// four-part file version and a compile date in the form of __DATE__ ("Apr 14 2015").
std::string FormatVersionLine(const std::string& fileVersion, const char* compileDate);

// This build's version line: the project version and the day this file was compiled.
std::string ProgramVersionLine();
