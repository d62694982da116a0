#include "document/version_line.h"

#include <cstdio>
#include <cstring>

std::string FormatVersionLine(const std::string& fileVersion, const char* compileDate)
{
    static const char kMonths[] = "JanFebMarAprMayJunJulAugSepOctNovDec";
    char month[4] = {};
    int day = 0, year = 0;
    std::sscanf(compileDate ? compileDate : "", "%3s %d %d", month, &day, &year);
    const char* found = std::strlen(month) == 3 ? std::strstr(kMonths, month) : nullptr;
    int monthNumber = found && (found - kMonths) % 3 == 0 ? static_cast<int>(found - kMonths) / 3 + 1 : 0;
    char date[64];
    std::snprintf(date, sizeof date, " Date: %.04d-%.02d-%.02d", year, monthNumber, day);
    return "Version: " + fileVersion + date;
}

std::string ProgramVersionLine()
{
    return FormatVersionLine(VARNHOLT_FILE_VERSION, __DATE__);
}
