#include "project_tree/tree_outline.h"

#include "project_tree/varnholt_view.h"

#include <string>

namespace {

TreeCut CutAt(const CVarnholtView& view, const TreeItem* item)
{
    std::string where = item->Label();
    for (const TreeItem* up = item->Parent(); up; up = up->Parent()) where = up->Label() + " > " + where;
    return {where, view.CutReason(view.CutBelow(item))};
}

}  // namespace

std::string TreeCut::Text() const
{
    return "output cut short below " + where + ": " + why;
}

std::optional<TreeCut> FindTreeCut(const CVarnholtView& view, const TreeItem* top)
{
    const TreeItem* end = nullptr;  // the item that follows the subtree of `top`
    for (const TreeItem* up = top; up && !end; up = up->Parent()) end = up->NextSibling();
    for (const TreeItem* item = top ? top : view.FirstRootItem(); item != end; item = NextItemInPreOrder(item))
        if (view.CutBelow(item) != ExpansionCut::None) return CutAt(view, item);
    return std::nullopt;
}

std::optional<TreeCut> WriteTreeOutline(const CVarnholtView& view, std::ostream& out)
{
    std::optional<TreeCut> cut;
    for (const TreeItem* item = view.FirstRootItem(); item; item = NextItemInPreOrder(item)) {
        int depth = 0;
        for (const TreeItem* up = item->Parent(); up; up = up->Parent()) ++depth;
        out << std::string(static_cast<size_t>(depth) * 2, ' ') << item->Label() << '\n';
        if (!cut && view.CutBelow(item) != ExpansionCut::None) cut = CutAt(view, item);
    }
    return cut;
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
