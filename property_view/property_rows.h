#pragma once
#include "document/tree_item_record.h"
#include "property_view/edit_target.h"

#include <map>

class CVarnholtDoc;
class PropertyGridModel;

// The editable rows of the grid by item id.
using EditTable = std::map<int, EditEntry>;

// Adds to `grid` the sections and rows that show the record's element, by its kind,
// and lists its editable rows in `edits`. A ReportControl without rptID is given an
// empty one first, since that attribute is required and edited in place.
void FillPropertyRows(PropertyGridModel& grid, const CVarnholtDoc& doc, const TreeItemRecord& record,
                      EditTable& edits);
