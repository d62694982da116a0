#pragma once
#include "document/finding.h"

#include <libxml/tree.h>

#include <array>
#include <string>
#include <vector>

class CVarnholtView;

// The address table: every ConnectedAP with its IP address, and below it every GSE and
// SMV with the parameters of its messages, as one list of rows.
enum AddressColumn : int {
    kColumnKind,
    kColumnIED,
    kColumnAccessPoint,
    kColumnSubNetwork,
    kColumnLDInst,
    kColumnControlBlock,
    kColumnIP,
    kColumnMask,
    kColumnGateway,
    kColumnMac,
    kColumnAppId,
    kColumnVlanId,
    kColumnVlanPriority,
    kColumnMinTime,
    kColumnMaxTime,
    kAddressColumnCount
};

// "Kind", "IED", ... "MaxTime".
const char* AddressColumnTitle(int column);

struct AddressRow {
    xmlNode* element;  // the ConnectedAP, GSE or SMV
    std::array<std::string, kAddressColumnCount> cells;
    std::vector<Finding> findings;  // of the communication checks, about this GSE or SMV
};

// ConnectedAPs in document order, each followed by its GSEs and SMVs.
std::vector<AddressRow> BuildAddressTable(const xmlNode* root);

// Whether the cell is a value of the document: IP, mask and gateway of a ConnectedAP;
// MAC, APPID, VLAN-ID, VLAN-PRIORITY, MinTime (GSE) and MaxTime (GSE) of a message.
bool IsEditableAddressCell(const AddressRow& row, int column);

enum class CellEdit { Written, Unchanged, Refused };
// Writes `value` as one step of the history ("Edit address APPID"), making the P element
// (or MinTime, MaxTime) when there is none, and checks the subnetwork against the schema
// as a property edit does; a value the schema refuses, or text a project cannot hold, is
// taken back. The project tree follows.
CellEdit EditAddressCell(CVarnholtView& view, const AddressRow& row, int column, const std::string& value);

// The table as text: columns padded to their widths, or CSV with a header row.
std::string AddressTableText(const std::vector<AddressRow>& rows, bool csv);
