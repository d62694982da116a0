#pragma once
#include <cstdint>
#include <string>

// Numbers in the texts of GOOSE addresses and internal addresses, read the way the
// C conversions "%d" and "%x" read them: leading blanks skipped, an optional sign,
// digits up to the first other character.

// The leading decimal number of `text`, or `fallback` when there is none.
int ParseDecimal(const std::string& text, int fallback);
// The leading hexadecimal number (an optional "0x" allowed), or `fallback`.
int ParseHex(const std::string& text, int fallback);
// Reads a leading decimal number into `value`; false (value untouched) when none.
bool ScanDecimal(const std::string& text, int& value);
// "01-0C-CD-01-00-01" as one number, first group most significant. A character
// that is no hexadecimal digit counts as 0.
uint64_t ParseMacAddress(const std::string& text);
