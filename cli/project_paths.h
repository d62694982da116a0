#pragma once
#include <string>

class CVarnholtView;
class TreeItem;

// Items named on the command line. LD/LN names the logical node LN (prefix, class and
// instance together, e.g. Q0XCBR1 or LLN0) of logical device LD in any access point of
// the IED; LD/LN.DS a dataset of it. Null when there is no such item.
TreeItem* FindLNPath(const CVarnholtView& view, const std::string& ied, const std::string& path);
TreeItem* FindDataSetPath(const CVarnholtView& view, const std::string& ied, const std::string& path);
