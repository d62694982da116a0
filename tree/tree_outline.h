#pragma once
#include <ostream>
#include <string>

class CVarnholtView;
class TreeItem;

// The project tree as text: one item per line, its label indented by two blanks per
// level below the root level.
void WriteTreeOutline(const CVarnholtView& view, std::ostream& out);

// The items below `item` in the same form, the first level not indented.
std::string SubtreeOutline(const TreeItem* item);
