#pragma once
#include "document/finding.h"

#include <libxml/tree.h>

#include <vector>

class UserInterface;

// The checks of the GOOSE and sampled-value addresses of every subnetwork and of the
// control blocks that send on them: formats, ranges, repeated APPIDs and MACs on one
// subnetwork, control blocks of an IED on a subnetwork without an address, and addresses
// without a control block.
// Findings come address by address in document order, then the control blocks.
std::vector<Finding> VerifyCommunication(const xmlNode* root);

// Verify, Communication: the findings in the verification log, or "Addresses are correct".
void OnVerifyCommunication(const xmlNode* root, UserInterface& ui);
