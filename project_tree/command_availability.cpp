#include "document/command_ids.h"
#include "document/varnholt_doc.h"
#include "document/xml_access.h"
#include "project_tree/varnholt_view.h"

#include <initializer_list>
#include <string_view>

namespace {

// The datasets that devices predefine; they cannot be modified.
bool IsFixedDatasetName(std::string_view name)
{
    for (std::string_view fixed : {"DS1", "DS2", "DS3", "DSG1", "DSG2"})
        if (name == fixed) return true;
    return false;
}

bool KindIn(int32_t kind, std::initializer_list<int32_t> kinds)
{
    for (int32_t k : kinds)
        if (k == kind) return true;
    return false;
}

}  // namespace

bool CVarnholtView::IsCommandEnabled(int commandId) const
{
    switch (commandId) {
    case kCmdAddIED:
    case kCmdAddSubnetwork:
    case kCmdAddTimeServer:
    case kCmdVerifyAddresses:
    case kCmdVerifyGooseInputs:
        return true;
    case kCmdExportIIDCID:
    case kCmdExportVariables:
    case kCmdExportIEDDescription:
        return doc_.HasIED();
    default:
        break;
    }
    const TreeItemRecord* record = SelectedRecord();
    if (!record) return false;
    int32_t kind = record->kind;
    switch (commandId) {
    case kCmdGoToAccessPoint: return kind == kKindConnectedAP;
    case kCmdGoToDataset: return KindIn(kind, {kKindReportControl, kKindGSEControl});
    case kCmdGoToDataElement: return KindIn(kind, {kKindFCDA, kKindExtRef});
    case kCmdGoToControlBlock: return KindIn(kind, {kKindDataSet, kKindExtRef, kKindGSEAddress});
    case kCmdGoToAddress: return KindIn(kind, {kKindAccessPoint, kKindGSEControl});
    case kCmdGoToDatasetElement: return kind == kKindExtRef;
    case kCmdConnectInputs:
        return KindIn(kind, {kKindInputs, kKindExtRef}) || (kind == kKindLN && (record->markers & kMarkerInputs));
    case kCmdCreateDataset: return kind == kKindLN;
    case kCmdModifyDataset:
        return kind == kKindDataSet && !IsFixedDatasetName(GetAttribute(record->node, "name"));
    case kCmdUpdateInputs:
    case kCmdUpdateIED: return kind == kKindIED;
    case kCmdDelete: return KindIn(kind, {kKindIED, kKindDataSet, kKindTimeServer});
    default: return false;  // Add Substation, Voltage Level and Bay have no handler
    }
}
