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

namespace {

void AppendSubtree(const TreeItem* item, size_t depth, std::string& text)
{
    for (const TreeItem* child = item->FirstChild(); child; child = child->NextSibling()) {
        text += std::string(depth * 2, ' ') + child->Label() + '\n';
        AppendSubtree(child, depth + 1, text);
    }
}

}  // namespace

std::string SubtreeOutline(const TreeItem* item)
{
    std::string text;
    if (item) AppendSubtree(item, 0, text);
    return text;
}
