#include "tree/tree_outline.h"

#include "tree/varnholt_view.h"

#include <string>

void WriteTreeOutline(const CVarnholtView& view, std::ostream& out)
{
    for (const TreeItem* item = view.FirstRootItem(); item; item = NextItemInPreOrder(item)) {
        int depth = 0;
        for (const TreeItem* up = item->Parent(); up; up = up->Parent()) ++depth;
        out << std::string(static_cast<size_t>(depth) * 2, ' ') << item->Label() << '\n';
    }
}
