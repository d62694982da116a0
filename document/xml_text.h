#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// True when `text` is well-formed UTF-8 made only of characters allowed in XML 1.0,
// so that a saved file holding it can be read again.
bool IsXmlText(std::string_view text);

// IsXmlText without control characters (tab and line breaks included): the rule for
// every name the program writes into a project, where a line break or an escape
// sequence would only hide what the name is.
bool IsNameText(std::string_view text);

// `text` in double quotes, for echoing text read from a file or the command line in a
// message: a quote, a backslash and everything a terminal would not show as written
// (control characters, direction overrides, bytes that are not UTF-8) become escapes
// such as \n and \x1b, and text longer than `maxLength` is cut, followed by its size.
std::string QuotedText(std::string_view text, size_t maxLength = 80);
