#include "goose/input_type_check.h"

#include "goose/signal_types.h"
#include "project_tree/item_access.h"
#include "project_tree/scl_lookups.h"

bool IsInputTypeCompatible(const CVarnholtView& view, const TreeItem* extRef)
{
    const TreeItem* source = FindExtRefSourceItem(view, extRef);
    if (!source) return true;
    if (!IsItemOfKind(view, source, kKindDA)) return false;
    return AcceptsSourceType(ItemAttribute(view, extRef, "intAddr"), ItemAttribute(view, source, "bType"));
}
