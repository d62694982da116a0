#pragma once
#include <string_view>

// True when `text` is well-formed UTF-8 made only of characters allowed in XML 1.0,
// so that a saved file holding it can be read again.
bool IsXmlText(std::string_view text);
