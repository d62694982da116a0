#pragma once
#include <string>
#include <vector>

class CVarnholtView;
class TreeItem;

// The GOOSE inputs of an access point, in tree order: below its first Server, in each
// LDevice and logical node that holds inputs, the ExtRef children of the first Inputs
// item that are GOOSE inputs.
std::vector<TreeItem*> CollectAccessPointInputs(const CVarnholtView& view, const TreeItem* accessPoint);

// "LD0.LLN0 Input[2] Int Addr: NI3": the input as findings name it.
std::string ExtRefLabel(const CVarnholtView& view, const TreeItem* extRef);
