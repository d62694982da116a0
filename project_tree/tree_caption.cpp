#include "document/xml_access.h"
#include "project_tree/varnholt_view.h"

// The substation comes from the first Substation item whatever is selected; the IED
// and logical device from the selected item and its ancestors, the highest winning.
TreeCaption CVarnholtView::ComputeCaption(const TreeItem* selected) const
{
    TreeCaption caption;
    if (!selected) return caption;
    for (TreeItem* item = FirstRootItem(); item; item = item->NextSibling()) {
        if (item->Image() != kKindSubstation) continue;
        if (const TreeItemRecord* record = Record(item)) caption.substation = GetAttribute(record->node, "name");
        break;
    }
    for (const TreeItem* item = selected; item; item = item->Parent()) {
        const TreeItemRecord* record = Record(item);
        if (!record) continue;
        switch (record->kind) {
        case kKindConnectedAP: caption.ied = GetAttribute(record->node, "iedName"); break;
        case kKindIED: caption.ied = GetAttribute(record->node, "name"); break;
        case kKindLDevice: caption.logicalDevice = GetAttribute(record->node, "inst"); break;
        default: break;
        }
    }
    return caption;
}
