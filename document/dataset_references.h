#pragma once
#include <libxml/tree.h>

#include <string>
#include <vector>

// The reference of a logical node: prefix + lnClass + inst, without separators.
std::string LNName(const xmlNode* ln);

// Checks that the datSet of every ReportControl and GSEControl names a dataset of its
// own server. `log` is emptied, then gets one "Error: dataset ..." line per missing
// dataset. True when every reference was found.
bool VerifyDatasetReferences(xmlDoc* tree, std::vector<std::string>& log);
