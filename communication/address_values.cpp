#include "communication/address_values.h"

#include <cctype>

namespace {

int HexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

std::string HexText(uint64_t value, size_t digits)
{
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text(digits, '0');
    for (size_t i = digits; i-- > 0; value >>= 4) text[i] = kDigits[value & 0xF];
    return text;
}

}  // namespace

std::optional<uint64_t> ParseMacAddress(std::string_view text)
{
    if (text.size() != 17) return std::nullopt;
    uint64_t mac = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (i % 3 == 2) {
            if (text[i] != '-' && text[i] != ':') return std::nullopt;
            continue;
        }
        int digit = HexValue(text[i]);
        if (digit < 0) return std::nullopt;
        mac = mac << 4 | static_cast<uint64_t>(digit);
    }
    return mac;
}

std::string MacAddressText(uint64_t mac)
{
    std::string text;
    for (int pair = 5; pair >= 0; --pair) {
        if (!text.empty()) text += '-';
        text += HexText(mac >> (pair * 8), 2);
    }
    return text;
}

std::optional<unsigned> ParseHexDigits(std::string_view text, size_t digits)
{
    if (text.size() != digits) return std::nullopt;
    unsigned value = 0;
    for (char c : text) {
        int digit = HexValue(c);
        if (digit < 0) return std::nullopt;
        value = value << 4 | static_cast<unsigned>(digit);
    }
    return value;
}

std::string HexDigitsText(unsigned value, size_t digits) { return HexText(value, digits); }

bool IsVlanPriority(std::string_view text) { return text.size() == 1 && text[0] >= '0' && text[0] <= '7'; }

const AddressRange& RangeOf(bool sampledValues)
{
    static const AddressRange kGoose{0x010CCD010000, 0x010CCD0101FF, 0x0000, 0x3FFF};
    static const AddressRange kSampledValues{0x010CCD040000, 0x010CCD0401FF, 0x4000, 0x7FFF};
    return sampledValues ? kSampledValues : kGoose;
}
