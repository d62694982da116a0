#pragma once
#include <libxml/tree.h>

#include <string>

// Writes `tree` formatted (indented, in the tree's encoding and compression) to
// `path` without ever leaving a half-written file there: the text goes to a new file
// in the same folder, which replaces `path` only once it is completely on disk. On
// failure `path` is untouched and false is returned.
bool SaveXmlAtomically(xmlDoc* tree, const std::string& path);
