#pragma once
#include <string>
#include <string_view>
#include <vector>

#include <libxml/tree.h>

class CVarnholtView;
class TreeItem;

// SCL references resolved through the items of the project tree. Every search visits
// items in tree order and gives the first match; names are compared exactly. A lookup
// that finds nothing, or starts from a null item, gives null.

// The first root item of kind IED (never a time server) named `name`.
TreeItem* FindIEDItem(const CVarnholtView& view, std::string_view name);
// Child items of kind AccessPoint, DataSet and GSEControl by `name`.
TreeItem* FindAccessPointItem(const CVarnholtView& view, const TreeItem* ied, std::string_view name);
TreeItem* FindDataSetItem(const CVarnholtView& view, const TreeItem* ln, std::string_view name);
TreeItem* FindGSEControlItem(const CVarnholtView& view, const TreeItem* ln, std::string_view name);
// The LDevice with `inst` below the first Server child of the access point.
TreeItem* FindLDeviceItem(const CVarnholtView& view, const TreeItem* accessPoint, std::string_view ldInst);
// The LN0/LN child whose prefix + lnClass + inst is `ref`.
TreeItem* FindLNItem(const CVarnholtView& view, const TreeItem* ldevice, std::string_view ref);

// The SubNetwork item of the first Communication item that holds the ConnectedAP of
// (iedName, apName), and that ConnectedAP item.
TreeItem* FindSubNetworkOfConnectedAP(const CVarnholtView& view, std::string_view iedName, std::string_view apName);
TreeItem* FindConnectedAPItem(const CVarnholtView& view, std::string_view iedName, std::string_view apName);
// The GOOSE Address item of the ConnectedAP's GSE for (ldInst, cbName).
TreeItem* FindGSEAddressItem(const CVarnholtView& view, const TreeItem* connectedAP, std::string_view ldInst,
                             std::string_view cbName);

// The deepest item of the data path below a Server item: the DO/SDO item of `doName`
// (names separated by "."), then the DA/BDA item of `daName`; the LN item when both
// are empty.
TreeItem* FindDataItem(const CVarnholtView& view, const TreeItem* server, std::string_view ldInst,
                       std::string_view ref, std::string_view doName, std::string_view daName);
// The FCDA child of a DataSet item that names exactly this data (an empty daName
// matches only an FCDA without one).
TreeItem* FindFCDAItem(const CVarnholtView& view, const TreeItem* dataset, std::string_view ldInst,
                       std::string_view ref, std::string_view doName, std::string_view daName);
int CountFCDAItems(const CVarnholtView& view, const TreeItem* dataset);
// The FCDA child counted from 0.
TreeItem* FCDAItemAt(const CVarnholtView& view, const TreeItem* dataset, int index);

// The data an ExtRef item subscribes to, looked for only in the source IED's access
// points on the subnetwork of the receiving access point.
TreeItem* FindExtRefSourceItem(const CVarnholtView& view, const TreeItem* extRef);

// A GOOSE control block that publishes an ExtRef's data, with the FCDA that carries it.
struct ExtRefPublisher {
    TreeItem* control;
    TreeItem* fcda;
};
// In the source IED's first access point, on the receiving subnetwork, that has any;
// the LLN0 of the logical device holding the data first, then those of the others.
std::vector<ExtRefPublisher> FindExtRefPublishers(const CVarnholtView& view, const TreeItem* extRef);

// The item of `element`, or of its nearest ancestor that the tree shows; null when none is.
TreeItem* FindItemOfElement(const CVarnholtView& view, const xmlNode* element);

// The name of the nearest SubNetwork / IED item at or above the selection, or "".
std::string SelectedSubNetworkName(const CVarnholtView& view);
std::string SelectedIEDName(const CVarnholtView& view);

// ReportControl, GSEControl, SampledValueControl and LogControl: the elements that
// publish, report or log a dataset of their logical node through datSet.
bool IsControlBlockElement(const xmlNode* element);
// Points the control blocks of the logical node that use dataset `oldName` to `newName`:
// a datSet naming no dataset would fail the schema's key references.
void RenameDataSetReferences(CVarnholtView& view, const TreeItem* ln, std::string_view oldName,
                             const std::string& newName);
// Removes the ConnectedAPs of the IED from every subnetwork: elements and items.
void RemoveConnectedAPsOfIED(CVarnholtView& view, std::string_view iedName);
