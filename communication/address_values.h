#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The values of the P elements of a GSE or SMV address, read as the networks read them.

// Six hex pairs separated by '-' or ':', in either case; nothing otherwise.
std::optional<uint64_t> ParseMacAddress(std::string_view text);
// "01-0C-CD-01-00-01": upper case, '-' between the pairs.
std::string MacAddressText(uint64_t mac);
// Exactly `digits` hex digits, in either case; nothing otherwise.
std::optional<unsigned> ParseHexDigits(std::string_view text, size_t digits);
// "3FFF": `digits` upper-case hex digits.
std::string HexDigitsText(unsigned value, size_t digits);
// One digit 0 to 7.
bool IsVlanPriority(std::string_view text);

// The multicast MACs and APPIDs switches are set up for: GOOSE and sampled values apart.
struct AddressRange {
    uint64_t macFirst, macLast;
    unsigned appIdFirst, appIdLast;
};
const AddressRange& RangeOf(bool sampledValues);
