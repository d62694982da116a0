#pragma once
#include <string>
#include <string_view>
#include <vector>

class CVarnholtView;
class TreeItem;

// The outline of one IED's data model, read from the project tree: the IED, its
// logical devices, logical nodes, data objects and data attributes, one line each,
// indented by one blank per tree level below the IED item (levels without a line,
// such as the access point and the server, count too). A logical node carries the
// value of its NamPlt.d and a data object the value of its own d, in parentheses;
// blanks stand for the line breaks and tabs of a value.
// Empty when `ied` is not an IED item (a time server is not).
std::vector<std::string> IEDDescriptionLines(const CVarnholtView& view, const TreeItem* ied);
// The IED item found by name; empty when there is none.
std::vector<std::string> IEDDescriptionLines(const CVarnholtView& view, std::string_view iedName);

// The text of the description file: every line followed by CR LF.
std::string IEDDescriptionText(const std::vector<std::string>& lines);
