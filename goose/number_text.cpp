#include "goose/number_text.h"

#include <cctype>
#include <climits>

namespace {

int DigitValue(char c, int base)
{
    int value = -1;
    if (c >= '0' && c <= '9') value = c - '0';
    else if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
    return value < base ? value : -1;
}

// Reads a leading integer in `base`; values beyond int are clamped, as a
// conversion that cannot represent them would not give anything sensible either.
bool ScanInteger(const std::string& text, int base, int& value)
{
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    bool hexPrefix = base == 16 && i + 2 < text.size() && text[i] == '0' &&
                     (text[i + 1] == 'x' || text[i + 1] == 'X') && DigitValue(text[i + 2], 16) >= 0;
    if (hexPrefix) i += 2;
    long long number = 0;
    size_t digits = 0;
    for (; i < text.size(); ++i, ++digits) {
        int digit = DigitValue(text[i], base);
        if (digit < 0) break;
        if (number <= LLONG_MAX / 64) number = number * base + digit;
    }
    if (digits == 0) return false;
    if (negative) number = -number;
    value = number > INT_MAX ? INT_MAX : number < INT_MIN ? INT_MIN : static_cast<int>(number);
    return true;
}

}  // namespace

int ParseDecimal(const std::string& text, int fallback)
{
    int value = fallback;
    return ScanInteger(text, 10, value) ? value : fallback;
}

int ParseHex(const std::string& text, int fallback)
{
    int value = fallback;
    return ScanInteger(text, 16, value) ? value : fallback;
}

bool ScanDecimal(const std::string& text, int& value)
{
    return ScanInteger(text, 10, value);
}

uint64_t ParseMacAddress(const std::string& text)
{
    uint64_t value = 0;
    size_t start = 0;
    while (true) {
        size_t end = text.find('-', start);
        if (end == std::string::npos) end = text.size();
        uint64_t group = 0;
        for (size_t i = start; i < end; ++i) {
            int digit = DigitValue(text[i], 16);
            group = group * 16 + static_cast<uint64_t>(digit < 0 ? 0 : digit);
        }
        value = value * 256 + group;
        if (end == text.size()) break;
        start = end + 1;
    }
    return value;
}
