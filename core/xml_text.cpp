#include "core/xml_text.h"

#include <cstdint>

namespace {

bool IsXmlChar(uint32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

}  // namespace

bool IsXmlText(std::string_view text)
{
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        size_t length = 1;
        uint32_t c = lead;
        uint32_t least = 0;
        if (lead >= 0x80) {
            if (lead < 0xC2 || lead > 0xF4) return false;
            length = lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
            c = lead & (0x7Fu >> length);
            least = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
        }
        if (i + length > text.size()) return false;
        for (size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0u) != 0x80u) return false;
            c = (c << 6) | (next & 0x3Fu);
        }
        if (c < least || !IsXmlChar(c)) return false;
        i += length;
    }
    return true;
}
