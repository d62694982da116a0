// The data type templates that the project's items reach, for the purge on save and
// for the export of one IED.
#include "document/varnholt_doc.h"
#include "document/xml_access.h"
#include "project_tree/varnholt_view.h"

#include <cstring>

void CVarnholtView::CollectFrom(const TreeItem& item, UsedTypeIds& ids) const
{
    for (TreeItem* child = item.FirstChild(); child; child = child->NextSibling()) CollectFrom(*child, ids);
    const TreeItemRecord* record = item.record_;
    if (!record) return;
    switch (record->kind) {
    case kKindLN:
        ids[TemplateKind::LNodeType].Add(GetAttribute(record->node, "lnType"));
        break;
    case kKindDO:
    case kKindSDO:
        ids[TemplateKind::DOType].Add(GetAttribute(record->node, "type"));
        break;
    case kKindDA:
    case kKindBDA: {
        const char* type = GetAttribute(record->node, "type");
        if (!*type) break;
        if (std::strcmp(GetAttribute(record->node, "bType"), "Struct") == 0)
            ids[TemplateKind::DAType].Add(type);
        else if (doc_.FindEnumType(type))
            ids[TemplateKind::EnumType].Add(type);
        break;
    }
    default:
        break;
    }
}

void CVarnholtView::CollectUsedTypeIds(UsedTypeIds& ids, const TreeItem* start, bool includeTimeServers) const
{
    if (!RecordsCurrent()) return;
    bool skipTimeServers = !includeTimeServers;
    if (start) {
        if (!(skipTimeServers && start->Image() == kKindTimeServer)) CollectFrom(*start, ids);
        return;
    }
    for (TreeItem* item = FirstRootItem(); item; item = item->NextSibling())
        if (item->Image() == kKindIED || (!skipTimeServers && item->Image() == kKindTimeServer))
            CollectFrom(*item, ids);
}

// Every root item is walked: besides the IEDs and time servers, a logical node in an
// unusual place (a file that failed validation) also holds items on template elements,
// and purging those would leave its items on freed elements.
bool CVarnholtView::CollectUsedTypeIds(UsedTypeIds& ids)
{
    if (!RecordsCurrent() || !expansionComplete_) return false;
    for (TreeItem* item = FirstRootItem(); item; item = item->NextSibling()) CollectFrom(*item, ids);
    return true;
}
