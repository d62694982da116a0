#pragma once
#include <libxml/tree.h>

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

// A document owned by its holder, freed with it.
struct XmlDocFree {
    void operator()(xmlDoc* tree) const { xmlFreeDoc(tree); }
};
using XmlDocPtr = std::unique_ptr<xmlDoc, XmlDocFree>;

// libxml2 options for every SCL file the program reads: no network access, blank
// text between elements dropped (indentation is rebuilt on save), no entity
// substitution and no external DTD.
int SclParseOptions();

// How much XML one file may hand to the parser, as a plain file or once decompressed.
// Real projects reach tens of MB of XML, and the tree takes about ten times its text
// (up to forty times for a file of empty elements), so this leaves several times the
// largest project while no file can make the program build a tree beyond the memory
// of a desktop.
inline constexpr size_t kMaxDecompressedSize = size_t{256} << 20;

// Parses a file (plain or gzip-compressed). Entity references in element text are
// replaced by their text. Returns null and a one-line reason in `error` (when given)
// for anything that is not a readable, well-formed XML file, for a plain file larger
// than `maxDecompressedSize` or compressed content that expands beyond it, and for
// entities that cannot be read as text within bounds.
xmlDoc* ParseXmlFile(const std::string& path, std::string* error,
                     size_t maxDecompressedSize = kMaxDecompressedSize);

// Parses XML held in memory; `url` names it in messages. Entity references in element
// content are kept as they are.
xmlDoc* ParseXmlMemory(std::string_view text, const char* url, std::string* error);
