#include "project_tree/item_at_line.h"

#include "document/log_dialogs.h"
#include "document/varnholt_doc.h"
#include "document/xml_access.h"
#include "project_tree/varnholt_view.h"

#include <algorithm>
#include <vector>

namespace {

// The element after `node` in document order, descending into its children.
xmlNode* NextElement(xmlNode* node, const xmlNode* root)
{
    if (xmlNode* child = xmlFirstElementChild(node)) return child;
    for (; node && node != root; node = node->parent)
        if (xmlNode* sibling = xmlNextElementSibling(node)) return sibling;
    return nullptr;
}

xmlNode* ElementAtLine(xmlNode* root, long line, std::string_view elementName)
{
    xmlNode* first = nullptr;
    for (xmlNode* element = root; element; element = NextElement(element, root)) {
        if (xmlGetLineNo(element) != line) continue;
        if (elementName.empty() || ElementName(element) == elementName) return element;
        if (!first) first = element;
    }
    return first;
}

}  // namespace

TreeItem* FindItemAtLine(const CVarnholtView& view, long line, std::string_view elementName)
{
    xmlDoc* tree = view.Document().XmlTree();
    if (!tree || line <= 0) return nullptr;
    const xmlNode* element = ElementAtLine(xmlDocGetRootElement(tree), line, elementName);
    std::vector<const xmlNode*> ancestry;  // the element, its parent, ...
    for (const xmlNode* node = element; IsElement(node); node = node->parent) ancestry.push_back(node);

    TreeItem* best = nullptr;
    size_t bestDistance = ancestry.size();
    for (TreeItem* item = view.FirstRootItem(); item && bestDistance > 0; item = NextItemInPreOrder(item)) {
        const TreeItemRecord* record = view.Record(item);
        if (!record) continue;
        const auto found = std::find(ancestry.begin(), ancestry.end(), record->node);
        const auto distance = static_cast<size_t>(found - ancestry.begin());
        if (distance < bestDistance) {
            best = item;
            bestDistance = distance;
        }
    }
    return best;
}

TreeItem* FindItemOfLogLine(const CVarnholtView& view, std::string_view logLine)
{
    const std::optional<LogLineSource> source = ParseLogLine(logLine);
    const xmlDoc* tree = view.Document().XmlTree();
    if (!source || !tree || !tree->URL || source->path != reinterpret_cast<const char*>(tree->URL)) return nullptr;
    return FindItemAtLine(view, source->line, source->element);
}
