#pragma once
#include "import/ied_file.h"

#include <libxml/tree.h>

#include <string>
#include <vector>

class CVarnholtView;

// Copies the imported ConnectedAPs and IED into the project with their tree items.
// A lone ConnectedAP goes on `subNetwork`; of several, each goes on the project's
// subnetwork of its own subnetwork's name, else on `subNetwork`
// (SubNetworkForConnectedAP). A ConnectedAP that no subnetwork takes is reported in `log`.
void PlaceIED(CVarnholtView& view, const std::vector<ConnectedAPAt>& connectedAPs, const xmlNode* ied,
              const std::string& subNetwork, std::vector<std::string>& log);

// Replaces the project's IED of the imported IED's name by a copy of the imported
// one, and brings its ConnectedAPs: each replaces the project's ConnectedAP of the same
// access point, else one on `subNetwork` of an access point the IED no longer has,
// else is placed as by PlaceIED. The ConnectedAPs of access points the IED no longer
// has are removed, each with a line in `log`. The tree items follow.
void ReplaceIED(CVarnholtView& view, const xmlNode* ied, const std::vector<ConnectedAPAt>& connectedAPs,
                const std::string& subNetwork, std::vector<std::string>& log);
