#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// `value` printed with a printf format holding at most one integer conversion
// (d, i, u, x, X or o). An empty format, and any format that would not be safe to
// hand to printf with one int, prints as "%d".
std::string FormatInteger(const std::string& format, int32_t value);

// The number at the start of `text`, read as a decimal integer after blanks and an
// optional sign; 0 when no digit follows. Values beyond 32 bits saturate.
int32_t ReadLeadingInteger(std::string_view text);

// Each line break (CR LF, LF or CR) as one pilcrow sign.
std::string ShowLineBreaks(std::string_view text);

// The edit field of the text dialog breaks lines with LF alone: CR LF becomes LF on
// the way in, and back on the way out when the original text used CR LF.
std::string ToEditFieldText(std::string_view text);
std::string FromEditFieldText(std::string_view edited, std::string_view original);
