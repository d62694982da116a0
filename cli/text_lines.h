#pragma once
#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

// The most a member list or mapping script may hold: thousands of times what a real
// one needs, while a device or endless pipe named by mistake cannot exhaust memory.
inline constexpr size_t kMaxTextFileSize = size_t{16} << 20;

// The text of the regular file `source`, or of standard input for "-", up to
// kMaxTextFileSize. False after telling "SOURCE: cannot be read: CAUSE" on `err`.
bool ReadTextFile(const std::string& source, std::string& text, std::ostream& err);

// The lines of `text`, split at LF (a CR before it stays on the line), a UTF-8 byte
// order mark at the start dropped.
std::vector<std::string> TextLines(std::string_view text);
