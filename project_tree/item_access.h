#pragma once
#include "document/tree_item_record.h"
#include "document/xml_access.h"
#include "project_tree/varnholt_view.h"

#include <libxml/tree.h>

#include <string_view>

// Reading the element behind an item. An item whose record is gone (released, or
// discarded with the document's records) has no element and matches nothing.

inline const xmlNode* ItemElement(const CVarnholtView& view, const TreeItem* item)
{
    const TreeItemRecord* record = view.Record(item);
    return record ? record->node : nullptr;
}

inline bool IsItemOfKind(const CVarnholtView& view, const TreeItem* item, int32_t kind)
{
    const TreeItemRecord* record = view.Record(item);
    return record && record->kind == kind;
}

// "" when the item has no element or the element lacks the attribute.
inline std::string_view ItemAttribute(const CVarnholtView& view, const TreeItem* item, const char* name)
{
    return GetAttribute(ItemElement(view, item), name);
}

inline std::string_view ItemName(const CVarnholtView& view, const TreeItem* item)
{
    return ItemAttribute(view, item, "name");
}

// The item `levels` steps up from `item`; null when the tree is not that deep.
inline TreeItem* AncestorOf(const TreeItem* item, int levels)
{
    if (!item || levels < 1) return nullptr;
    TreeItem* up = item->Parent();
    while (--levels > 0 && up) up = up->Parent();
    return up;
}

// True when prefix + lnClass + `instAttribute` of `element`, written together, is `ref`.
inline bool LNReferenceEquals(const xmlNode* element, const char* instAttribute, std::string_view ref)
{
    std::string_view parts[] = {GetAttribute(element, "prefix"), GetAttribute(element, "lnClass"),
                                GetAttribute(element, instAttribute)};
    for (std::string_view part : parts) {
        if (ref.substr(0, part.size()) != part) return false;
        ref.remove_prefix(part.size());
    }
    return ref.empty();
}
