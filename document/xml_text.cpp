#include "document/xml_text.h"

#include <cstdint>

namespace {

bool IsXmlChar(uint32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

bool IsControl(uint32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

// Marks that reorder the text around them on screen.
bool IsDirectionControl(uint32_t c)
{
    return c == 0x200E || c == 0x200F || c == 0x061C || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

// Decodes the character at `text[i]` into `c`; its length in bytes, or 0 when the bytes
// there are not well-formed UTF-8 (overlong forms and surrogates included).
size_t DecodeUtf8(std::string_view text, size_t i, uint32_t& c)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    c = lead;
    if (lead < 0x80) return 1;
    if (lead < 0xC2 || lead > 0xF4) return 0;
    const size_t length = lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if (i + length > text.size()) return 0;
    c = lead & (0x7Fu >> length);
    for (size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0u) != 0x80u) return 0;
        c = (c << 6) | (next & 0x3Fu);
    }
    const uint32_t least = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    return length;
}

template <typename Allowed>
bool AllCharacters(std::string_view text, Allowed allowed)
{
    for (size_t i = 0; i < text.size();) {
        uint32_t c = 0;
        const size_t length = DecodeUtf8(text, i, c);
        if (length == 0 || !allowed(c)) return false;
        i += length;
    }
    return true;
}

}  // namespace

bool IsXmlText(std::string_view text)
{
    return AllCharacters(text, IsXmlChar);
}

bool IsNameText(std::string_view text)
{
    return AllCharacters(text, [](uint32_t c) { return IsXmlChar(c) && !IsControl(c); });
}

std::string QuotedText(std::string_view text, size_t maxLength)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string quoted = "\"";
    size_t i = 0;
    while (i < text.size() && quoted.size() <= maxLength) {
        uint32_t c = 0;
        size_t length = DecodeUtf8(text, i, c);
        const bool shown = length > 0 && IsXmlChar(c) && !IsControl(c) && !IsDirectionControl(c);
        if (length == 0) length = 1;
        if (shown) {
            if (c == '"' || c == '\\') quoted += '\\';
            quoted.append(text.substr(i, length));
        } else if (c == '\n' || c == '\t' || c == '\r') {
            quoted += c == '\n' ? "\\n" : c == '\t' ? "\\t" : "\\r";
        } else {
            for (size_t k = 0; k < length; ++k) {
                const auto byte = static_cast<unsigned char>(text[i + k]);
                quoted += "\\x";
                quoted += kHex[byte >> 4];
                quoted += kHex[byte & 0xF];
            }
        }
        i += length;
    }
    quoted += '"';
    if (i < text.size()) quoted += "... (" + std::to_string(text.size()) + " bytes)";
    return quoted;
}
