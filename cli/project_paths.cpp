#include "cli/project_paths.h"

#include "project_tree/scl_lookups.h"
#include "project_tree/varnholt_view.h"

TreeItem* FindLNPath(const CVarnholtView& view, const std::string& ied, const std::string& path)
{
    size_t slash = path.find('/');
    if (slash == std::string::npos) return nullptr;
    const std::string ld = path.substr(0, slash), ln = path.substr(slash + 1);
    TreeItem* iedItem = FindIEDItem(view, ied);
    for (TreeItem* ap = iedItem ? iedItem->FirstChild() : nullptr; ap; ap = ap->NextSibling())
        if (TreeItem* found = FindLNItem(view, FindLDeviceItem(view, ap, ld), ln)) return found;
    return nullptr;
}

TreeItem* FindDataSetPath(const CVarnholtView& view, const std::string& ied, const std::string& path)
{
    size_t dot = path.rfind('.');
    if (dot == std::string::npos || path.find('/') > dot) return nullptr;
    return FindDataSetItem(view, FindLNPath(view, ied, path.substr(0, dot)), path.substr(dot + 1));
}
