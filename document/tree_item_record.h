#pragma once
#include <libxml/tree.h>

#include <cstdint>

// What an element shown in the project tree is; also the index of its picture.
enum TreeItemKind : int32_t {
    kKindSubstation = 0,
    kKindVoltageLevel = 1,
    kKindBay = 2,
    kKindCommunication = 3,
    kKindSubNetwork = 4,
    kKindConnectedAP = 5,
    kKindIED = 6,
    kKindAccessPoint = 7,
    kKindLDevice = 8,
    kKindLN = 9,  // LN0 or LN
    kKindDO = 10,
    kKindDA = 11,
    kKindDataSet = 12,
    kKindReportControl = 13,
    kKindGSEControl = 14,
    kKindFCDA = 15,
    kKindExtRef = 16,
    kKindAddress = 17,     // Address of a connected access point
    kKindGSEAddress = 18,  // Address inside a GSE: a GOOSE address
    kKindTimeServer = 19,  // IED with a clock="true" access point
    kKindSDO = 20,
    kKindBDA = 21,
    kKindInputs = 22,
    kKindVal = 23,
    kKindOther = 24,
};
constexpr int kTreeItemKindCount = 25;

// Bits of TreeItemRecord::markers: what an element's subtree holds.
enum MarkerFlags : uint8_t {
    kMarkerGoose = 1,
    kMarkerReports = 2,
    kMarkerDatasets = 4,
    kMarkerInputs = 8,
};

// The record behind one project tree item. The document owns every record in one
// list in creation order; the links below belong to that list.
struct TreeItemRecord {
    xmlNode* node = nullptr;
    int32_t kind = kKindOther;
    uint8_t markers = 0;

    TreeItemRecord* listPrev = nullptr;
    TreeItemRecord* listNext = nullptr;
    const void* listOwner = nullptr;
};
