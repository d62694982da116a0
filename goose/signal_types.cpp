#include "goose/signal_types.h"

#include <initializer_list>

namespace {

bool StartsWithAny(std::string_view text, std::initializer_list<std::string_view> prefixes)
{
    for (std::string_view prefix : prefixes)
        if (text.substr(0, prefix.size()) == prefix) return true;
    return false;
}

}  // namespace

int SignalBitWidth(std::string_view bType)
{
    if (bType.substr(0, 3) == "INT") {
        int width = 0;
        for (size_t i = 3; i < bType.size() && bType[i] >= '0' && bType[i] <= '9' && width < 1000; ++i)
            width = width * 10 + (bType[i] - '0');
        return width;
    }
    if (StartsWithAny(bType, {"BOOLEAN"})) return 1;
    if (StartsWithAny(bType, {"Enum"})) return 8;
    if (StartsWithAny(bType, {"Dbpos"})) return 2;
    if (StartsWithAny(bType, {"Quality"})) return 13;
    return 0;
}

bool IsBinaryInputAddress(std::string_view intAddr)
{
    return intAddr.substr(0, 2) == "NI";
}

bool AcceptsSourceType(std::string_view intAddr, std::string_view bType)
{
    std::string_view inputClass = intAddr.substr(0, 2);
    if (inputClass == "NI") return StartsWithAny(bType, {"BOOLEAN", "INT", "Quality", "Dbpos", "Enum"});
    if (inputClass == "AN") return StartsWithAny(bType, {"FLOAT", "INT"});
    return false;
}

bool IsAnalogOutputType(std::string_view bType)
{
    return StartsWithAny(bType, {"INT", "FLOAT"});
}
