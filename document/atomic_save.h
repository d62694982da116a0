#pragma once
#include <libxml/tree.h>

#include <string>
#include <string_view>

// Writes `content` to `path` so that a failure, a crash or a signal never leaves a
// half-written file there. A new file, or an existing regular file with one name, is
// replaced by a complete copy written beside it (unnamed until it is complete, where the
// file system allows), keeping the old file's mode, and its owner and group where the
// user may set them. An existing file is only written when the user may write it. A
// file with several names, or one whose folder does not let the user replace it, is
// overwritten in place once room for the whole content is reserved. A link is followed
// to the file it names; anything else (a device, a FIFO, a folder, a dangling or looping
// link) is refused and left alone. On failure `reason` says why in one line and false is
// returned; it is cleared on success.
bool WriteFileAtomically(const std::string& path, std::string_view content, std::string& reason);

// Formats `tree` (indented, in the tree's encoding) in memory and writes it to `path`
// with WriteFileAtomically.
bool SaveXmlAtomically(xmlDoc* tree, const std::string& path, std::string& reason);

// On by default. Tests turn it off to get the named temporary file that file systems
// without unnamed ones use.
void AllowUnnamedTemporaryFiles(bool allow);
