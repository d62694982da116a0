#pragma once
#include <string>
#include <string_view>
#include <vector>

class CVarnholtView;
class TreeItem;

// The ExtRef items of the IEDs other than `iedName` whose iedName is `iedName`, in
// tree order.
std::vector<TreeItem*> InputsNamingIED(const CVarnholtView& view, std::string_view iedName);

// An input of another IED whose data is a member of a dataset that a GOOSE control
// block publishes, with the first such control block of the dataset's logical node.
struct DatasetSubscriber {
    TreeItem* input;
    TreeItem* control;
};
// The subscribers of the DataSet item, on whatever subnetwork, in tree order; none
// when no GSEControl publishes the dataset.
std::vector<DatasetSubscriber> DatasetSubscribers(const CVarnholtView& view, const TreeItem* dataset);
// "Warning: INPUT subscribes to GSEControl G of the EVENT dataset D", followed by `advice`.
std::vector<std::string> DatasetSubscriberWarnings(const CVarnholtView& view, const TreeItem* dataset,
                                                   const std::string& event, const std::string& advice = "");

// An input as the logs name it: "IED K2: input NI1 (P1 CTRL/Q0XCBR1.Pos.stVal)".
std::string DescribeInput(const CVarnholtView& view, const TreeItem* extRef);
