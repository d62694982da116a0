#pragma once
#include <libxml/tree.h>

#include <string>
#include <string_view>
#include <vector>

// What the datSet of a ReportControl may name: the empty entry first, then every
// DataSet of the server that holds the control block, logical device by logical
// device, LN0 and LN in document order. A dataset of the control block's own logical
// node is listed by its name, any other as ldInst/LNname.dsName.
std::vector<std::string> DatasetChoices(const xmlNode* reportControl);

// The first option equal to `value`, else 0 (the empty entry).
int ChoiceIndex(const std::vector<std::string>& options, std::string_view value);
