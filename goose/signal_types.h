#pragma once
#include <string_view>

// How many bits a basic type carries when it feeds a binary input bit by bit:
// INTnn gives nn, BOOLEAN 1, Enum 8, Dbpos 2, Quality 13, anything else 0.
int SignalBitWidth(std::string_view bType);

// An input's class is told by the start of its internal address: "NI" binary,
// "AN" analog (written "ANI...").
bool IsBinaryInputAddress(std::string_view intAddr);

// Whether an input with internal address `intAddr` may take a source of `bType`.
bool AcceptsSourceType(std::string_view intAddr, std::string_view bType);

// Outputs of integer or floating-point type are analog, all others binary.
bool IsAnalogOutputType(std::string_view bType);
