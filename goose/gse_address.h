#pragma once
#include "goose/goose_model.h"

#include <libxml/tree.h>

#include <string>

class CVarnholtView;
class TreeItem;

// The four parameters of a GOOSE address as written in its P elements.
struct GseAddressTexts {
    std::string macAddress;
    std::string appId;
    std::string vlanId;
    std::string vlanPriority;
};

// Reads the P children of a GSE's Address element; a later P of a type overwrites an
// earlier one, other types are ignored.
GseAddressTexts ReadGseAddressElement(const xmlNode* address);

// Copies MAC-Address, APPID, VLAN-ID and VLAN-PRIORITY of the GOOSE address item into
// the control block record.
void ReadGseAddress(const CVarnholtView& view, const TreeItem* address, CGooseControl& control);
