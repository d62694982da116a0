#pragma once
#include <optional>
#include <ostream>
#include <string>

class CVarnholtView;
class TreeItem;

// Where the project tree stops short of what the document holds, and why.
struct TreeCut {
    std::string where;  // the labels from the root level down to the item whose children stop, joined by " > "
    std::string why;

    // "output cut short below WHERE: WHY"
    std::string Text() const;
};

// The first item in pre-order, of `top` and the items below it (of the whole tree when
// null), whose children were cut short.
std::optional<TreeCut> FindTreeCut(const CVarnholtView& view, const TreeItem* top = nullptr);

// The project tree as text: one item per line, its label indented by two blanks per
// level below the root level. Returns the first cut, the text being complete without one.
std::optional<TreeCut> WriteTreeOutline(const CVarnholtView& view, std::ostream& out);

// The items below `item` in the same form, the first level not indented.
std::string SubtreeOutline(const TreeItem* item);
