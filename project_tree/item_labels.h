#pragma once
#include "document/tree_item_record.h"

#include <libxml/tree.h>

#include <cstdint>
#include <string>

// The kind of an element shown in the project tree (an IED is a time server when an
// access point in it has clock="true").
int32_t ClassifyElement(const xmlNode* element);

struct ItemLabel {
    std::string text;  // without markers
    int32_t kind;
};
ItemLabel MakeItemLabel(const xmlNode* element);

// The label of `element` as an item of `kind`.
std::string LabelOfKind(int32_t kind, const xmlNode* element);

// The markers that items of `kind` show for the bits of `markers`, in display order.
std::string MarkerSuffix(int32_t kind, uint8_t markers);

// The label of the record's element followed by its markers.
std::string MakeMarkedItemLabel(const TreeItemRecord& record);
// The same with the markers that items of `markerKind` show.
std::string MakeMarkedItemLabel(const TreeItemRecord& record, int32_t markerKind);
