#pragma once
#include <string_view>

class CVarnholtView;
class TreeItem;

// The item of the element whose start tag ends on `line` of the project (the first
// such element named `elementName` when that is given and one is, else the first),
// or the item of its nearest ancestor that the tree shows; null when no element
// stands on the line or none of them is shown.
TreeItem* FindItemAtLine(const CVarnholtView& view, long line, std::string_view elementName = {});

// The item a log line points at, for a line "PATH:N: element E: ..." whose PATH is
// the file the project was read from; null for any other line.
TreeItem* FindItemOfLogLine(const CVarnholtView& view, std::string_view logLine);
