#pragma once
#include <string>
#include <string_view>
#include <vector>

class CVarnholtView;
class TreeItem;

// The ExtRef items of the IEDs other than `iedName` whose iedName is `iedName`, in
// tree order.
std::vector<TreeItem*> InputsNamingIED(const CVarnholtView& view, std::string_view iedName);

// An input as the logs name it: "IED K2: input NI1 (P1 CTRL/Q0XCBR1.Pos.stVal)".
std::string DescribeInput(const CVarnholtView& view, const TreeItem* extRef);
