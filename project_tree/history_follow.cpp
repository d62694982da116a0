// Following an undo or redo: the items of the parts of the project the step touched are
// built again, the others stay, so that the cost follows the size of the step.
#include "document/varnholt_doc.h"
#include "document/xml_access.h"
#include "project_tree/build_scope.h"

#include <string>
#include <unordered_set>

namespace {

using NodeSet = std::unordered_set<const xmlNode*>;

// The child of `root` that holds `node` (itself when it is one); null when `node` is
// the root or out of the tree.
xmlNode* TopOf(xmlNode* node, const xmlNode* root)
{
    for (; node && node->parent; node = node->parent)
        if (node->parent == root) return node;
    return nullptr;
}

bool IsTypeElement(const xmlNode* node)
{
    return IsElementNamed(node, "LNodeType") || IsElementNamed(node, "DOType") || IsElementNamed(node, "DAType") ||
           IsElementNamed(node, "EnumType");
}

// The ids of the templates whose expansion below logical nodes may differ after the step:
// those it changed, put in or took out, and every template that refers to one of them.
// False when the step changed a template's own attributes (its id may be another now).
bool ChangedTypeIds(const ChangeChannel::Touched& touched, const xmlNode* templates,
                    std::unordered_set<std::string>& ids)
{
    const auto typeOf = [templates](const xmlNode* node) -> const xmlNode* {
        for (; node; node = node->parent)
            if (node->parent == templates) return node;
        return nullptr;
    };
    for (const xmlNode* element : touched.attributesOf) {
        const xmlNode* type = typeOf(element);
        if (type == element) return false;
        if (type) ids.insert(GetAttribute(type, "id"));
    }
    for (const xmlNode* parent : touched.childrenOf)
        if (const xmlNode* type = parent != templates ? typeOf(parent) : nullptr) ids.insert(GetAttribute(type, "id"));
    for (const auto* nodes : {&touched.inserted, &touched.removed})
        for (const xmlNode* node : *nodes)
            if (IsTypeElement(node)) ids.insert(GetAttribute(node, "id"));
    if (ids.empty()) return true;
    // Which templates refer to which, through the type of their members.
    std::unordered_multimap<std::string, std::string> referrers;
    for (const xmlNode* type : ElementChildren(templates)) {
        const std::string id = GetAttribute(type, "id");
        for (const xmlNode* member : ElementChildren(type))
            if (const char* ref = GetAttribute(member, "type"); *ref) referrers.emplace(ref, id);
    }
    std::vector<std::string> pending(ids.begin(), ids.end());
    while (!pending.empty()) {
        const std::string id = std::move(pending.back());
        pending.pop_back();
        auto [first, last] = referrers.equal_range(id);
        for (auto it = first; it != last; ++it)
            if (ids.insert(it->second).second) pending.push_back(it->second);
    }
    return true;
}

// Whether a logical node of the IED is of one of the types.
bool UsesTypes(const xmlNode* ied, const std::unordered_set<std::string>& ids)
{
    for (const xmlNode* accessPoint : ElementChildren(ied))
        for (const xmlNode* server : ElementChildren(accessPoint))
            for (const xmlNode* ldevice : ElementChildren(server))
                for (const xmlNode* ln : ElementChildren(ldevice))
                    if ((IsElementNamed(ln, "LN") || IsElementNamed(ln, "LN0")) &&
                        ids.count(GetAttribute(ln, "lnType")))
                        return true;
    return false;
}

}  // namespace

bool CVarnholtView::FollowHistory(const ChangeChannel::Touched& touched)
{
    xmlNode* root = doc_.Root();
    if (!root || touched.unknown || !RecordsCurrent() || !expansionComplete_) return false;
    // A template section put in or taken out changes what every logical node shows.
    for (const auto* nodes : {&touched.inserted, &touched.removed})
        for (const xmlNode* node : *nodes)
            if (IsElementNamed(node, "DataTypeTemplates")) return false;
    // The children of the root whose items are built again.
    NodeSet tops;
    bool rootChildren = false;
    for (xmlNode* element : touched.attributesOf)
        if (xmlNode* top = TopOf(element, root)) tops.insert(top);
    for (xmlNode* parent : touched.childrenOf) {
        if (parent == root) rootChildren = true;
        else if (xmlNode* top = TopOf(parent, root)) tops.insert(top);
    }
    std::unordered_set<std::string> typeIds;
    for (const xmlNode* top : NodeSet(tops)) {
        if (!IsElementNamed(top, "DataTypeTemplates")) continue;
        if (!ChangedTypeIds(touched, top, typeIds)) return false;
    }
    if (!typeIds.empty()) {
        for (xmlNode* ied : ElementChildren(root))
            if (IsElementNamed(ied, "IED") && UsesTypes(ied, typeIds)) tops.insert(ied);
    }

    for (TreeItem* item = FirstRootItem(); item;) {
        TreeItem* next = item->NextSibling();
        const TreeItemRecord* record = Record(item);
        if (!record) return false;
        if (tops.count(record->node) || record->node->parent != root) {
            ReleaseItemRecords(item);
            DeleteItem(item);
        }
        item = next;
    }
    // The kept items stand in document order: new items go between them as a build
    // would make them.
    TreeItem* kept = FirstRootItem();
    size_t row = 0;
    for (xmlNode* child : ElementChildren(root)) {
        if (doc_.IsHiddenElement(ElementName(child))) continue;
        if (kept && Record(kept)->node == child) {
            kept = kept->NextSibling();
            ++row;
        } else if (tops.count(child) || rootChildren) {
            BuildScope scope(*this, child);
            uint8_t flags = 0;
            Attach(levelHolder_, row++, BuildElementItem(child, flags, ElementDepth(child)), true);
        } else {
            return false;
        }
    }
    return !kept && expansionComplete_;
}
