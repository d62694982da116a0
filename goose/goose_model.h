#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TreeItem;
struct CGooseDataSet;
struct CGooseIed;
struct CGooseLDevice;

// A snapshot of the GOOSE publishers of the project and of the inputs being edited,
// built from the project tree when a dialog opens and dropped when it closes. Each
// record owns the records in its lists and points back to its owner.

// Where a control block stands in its IED: the inst of its logical device, the
// prefix, lnClass and inst of its logical node, and its name.
struct ControlBlockReference {
    std::string ldInst, prefix, lnClass, lnInst, name;
    bool operator==(const ControlBlockReference&) const = default;
};

// One GOOSE control block with its communication address.
struct CGooseControl {
    TreeItem* item = nullptr;
    CGooseDataSet* owner = nullptr;
    std::string name;
    ControlBlockReference reference;
    std::string confRev;
    std::string vlanId;
    std::string vlanPriority;
    std::string appId;    // APPID of the GSE address, hexadecimal as written
    std::string gooseId;  // appID of the control block
    std::string macAddress;
    std::string subNetwork;  // name of the SubNetwork whose ConnectedAP carries the GSE
};

// One member of a published dataset.
struct CGooseOutput {
    TreeItem* item = nullptr;
    CGooseDataSet* owner = nullptr;
    std::string lnClass, lnInst, prefix, ldInst, doName, daName;
    std::string bType;  // of the data attribute designated; "" when not found
    int index = 0;      // position among the members of the dataset, from 0
};

// One dataset that at least one GOOSE control block publishes.
struct CGooseDataSet {
    TreeItem* item = nullptr;
    CGooseLDevice* owner = nullptr;
    std::string name;
    std::vector<std::unique_ptr<CGooseControl>> controls;
    std::vector<std::unique_ptr<CGooseOutput>> members;
};

// One input: an ExtRef of a receiving logical node.
struct CGooseInput {
    TreeItem* item = nullptr;
    CGooseLDevice* owner = nullptr;
    std::string intAddr, iedName, ldInst, lnClass, lnInst, prefix, doName, daName, desc;
    // The control block of IED iedName that the ExtRef names as its publisher.
    std::optional<ControlBlockReference> sourceControl;
};

// One logical device of a publishing IED.
struct CGooseLDevice {
    TreeItem* item = nullptr;
    std::string inst;
    std::vector<std::unique_ptr<CGooseDataSet>> datasets;
    std::vector<std::unique_ptr<CGooseInput>> inputs;
    CGooseIed* owner = nullptr;
};

// One publishing IED, seen from its connected access point.
struct CGooseIed {
    TreeItem* accessPointItem = nullptr;
    std::string name;
    std::vector<std::unique_ptr<CGooseLDevice>> logicalDevices;
};
