#pragma once
#include "goose/goose_model.h"

#include <vector>

class CVarnholtView;
class TreeItem;

// The ConnectedAP items (in the Communication section) of one access point, at most
// one a subnetwork; the first names the IED and the access point.
using ConnectedAPs = std::vector<const TreeItem*>;

// Builds the publisher model of the IED behind a ConnectedAP item: its logical devices
// that publish GOOSE, their datasets with the control blocks that have a GOOSE address,
// and the members. False when the IED or its access point is missing or nothing is
// published. With `keepInputs`, logical devices that only have inputs are kept too,
// and the IED counts when it has any. Only GOOSE inputs are taken.
bool BuildGooseIed(const CVarnholtView& view, const TreeItem* connectedAP, CGooseIed& ied, bool keepInputs = false);
// The same over every subnetwork of the access point: a control block's GOOSE address
// is taken from the first of the ConnectedAPs that carries it.
bool BuildGooseIed(const CVarnholtView& view, const ConnectedAPs& connectedAPs, CGooseIed& ied,
                   bool keepInputs = false);

// Fills `ldevice` from the first logical node of the LDevice item that holds GOOSE
// content or inputs (normally LLN0). False when it has no published dataset.
bool BuildGooseLDevice(const CVarnholtView& view, const ConnectedAPs& connectedAPs, TreeItem* ldeviceItem,
                       CGooseLDevice& ldevice);

// A record of the ExtRef item's attributes; it has no owner.
std::unique_ptr<CGooseInput> MakeGooseInput(const CVarnholtView& view, TreeItem* extRef);
