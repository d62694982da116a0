#pragma once
#include <libxml/tree.h>

#include <string>
#include <string_view>

// libxml2 options for every SCL file the program reads: no network access, blank
// text between elements dropped (indentation is rebuilt on save), no entity
// substitution and no external DTD.
int SclParseOptions();

// Parses a file (plain or gzip-compressed). Returns null and a one-line reason in
// `error` (when given) for anything that is not a readable, well-formed XML file.
xmlDoc* ParseXmlFile(const std::string& path, std::string* error);

// Parses XML held in memory; `url` names it in messages.
xmlDoc* ParseXmlMemory(std::string_view text, const char* url, std::string* error);
