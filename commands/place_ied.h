#pragma once
#include <libxml/tree.h>

#include <string>
#include <vector>

class CVarnholtView;

// Copies the imported ConnectedAP and IED into the project with their tree items.
// A ConnectedAP that no subnetwork takes is reported in `log`.
void PlaceIED(CVarnholtView& view, const xmlNode* connectedAP, const xmlNode* ied, const std::string& subNetwork,
              std::vector<std::string>& log);

// Replaces the project's IED of the imported IED's name, and its ConnectedAP, by
// copies of the imported ones; the tree items follow.
void ReplaceIED(CVarnholtView& view, const xmlNode* ied, xmlNode* connectedAP, const std::string& subNetwork);
