#include "property_grid/value_text.h"

#include <cstdio>
#include <limits>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The conversion character of a safe integer format, '%' for a format of literal
// text only, 0 for an unsafe one.
char IntegerConversion(const std::string& format)
{
    char conversion = '%';
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') continue;
        if (++i < format.size() && format[i] == '%') continue;
        while (i < format.size() && std::string_view("-+ #0").find(format[i]) != std::string_view::npos) ++i;
        const auto digits = [&] {
            size_t count = 0;
            for (; i < format.size() && IsDigit(format[i]); ++i) ++count;
            return count;
        };
        if (digits() > 2) return 0;  // keeps the printed width small
        if (i < format.size() && format[i] == '.') {
            ++i;
            if (digits() > 2) return 0;
        }
        if (i >= format.size() || std::string_view("diuxXo").find(format[i]) == std::string_view::npos) return 0;
        if (conversion != '%') return 0;
        conversion = format[i];
    }
    return conversion;
}

}  // namespace

std::string FormatInteger(const std::string& format, int32_t value)
{
    char conversion = format.empty() || format.find('\0') != std::string::npos ? 0 : IntegerConversion(format);
    const char* pattern = conversion ? format.c_str() : "%d";
    const bool isUnsigned = std::string_view("uxXo").find(conversion) != std::string_view::npos;
    const auto print = [&](char* out, size_t size) {
        return isUnsigned ? std::snprintf(out, size, pattern, static_cast<unsigned>(value))
                          : std::snprintf(out, size, pattern, static_cast<int>(value));
    };
    const int length = print(nullptr, 0);
    if (length <= 0) return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    print(text.data(), text.size());
    text.resize(static_cast<size_t>(length));
    return text;
}

int32_t ReadLeadingInteger(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && std::string_view(" \t\n\v\f\r").find(text[i]) != std::string_view::npos) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const int64_t limit = negative ? -int64_t{std::numeric_limits<int32_t>::min()} : std::numeric_limits<int32_t>::max();
    int64_t magnitude = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > limit) magnitude = limit;
    }
    return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

std::string ShowLineBreaks(std::string_view text)
{
    std::string shown;
    shown.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            shown += "\xC2\xB6";
        } else {
            shown += text[i];
        }
    }
    return shown;
}

std::string ToEditFieldText(std::string_view text)
{
    std::string edited;
    edited.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) edited += text[i];
    return edited;
}

std::string FromEditFieldText(std::string_view edited, std::string_view original)
{
    if (original.find("\r\n") == std::string_view::npos) return std::string(edited);
    std::string text;
    text.reserve(edited.size() + edited.size() / 16);
    for (size_t i = 0; i < edited.size(); ++i) {
        if (edited[i] == '\n' && (i == 0 || edited[i - 1] != '\r')) text += '\r';
        text += edited[i];
    }
    return text;
}
