#include "goose/subscriber_inputs.h"

#include "project_tree/item_access.h"
#include "project_tree/scl_lookups.h"

namespace {

// Inputs sit below logical nodes; nothing below a data object, a dataset or a
// control block holds one.
bool MayHoldInputs(const CVarnholtView& view, const TreeItem* item)
{
    const TreeItemRecord* record = view.Record(item);
    if (!record) return false;
    switch (record->kind) {
    case kKindDO:
    case kKindSDO:
    case kKindDA:
    case kKindBDA:
    case kKindVal:
    case kKindDataSet:
    case kKindReportControl:
    case kKindGSEControl:
    case kKindExtRef:
        return false;
    default:
        return true;
    }
}

void CollectInputs(const CVarnholtView& view, const TreeItem* item, std::string_view iedName,
                   std::vector<TreeItem*>& inputs)
{
    for (TreeItem* child = item->FirstChild(); child; child = child->NextSibling()) {
        if (IsItemOfKind(view, child, kKindExtRef) && ItemAttribute(view, child, "iedName") == iedName)
            inputs.push_back(child);
        else if (MayHoldInputs(view, child))
            CollectInputs(view, child, iedName, inputs);
    }
}

}  // namespace

std::vector<TreeItem*> InputsNamingIED(const CVarnholtView& view, std::string_view iedName)
{
    std::vector<TreeItem*> inputs;
    for (TreeItem* ied = view.FirstRootItem(); ied; ied = ied->NextSibling()) {
        bool isIED = IsItemOfKind(view, ied, kKindIED) || IsItemOfKind(view, ied, kKindTimeServer);
        if (isIED && ItemName(view, ied) != iedName) CollectInputs(view, ied, iedName, inputs);
    }
    return inputs;
}

std::string DescribeInput(const CVarnholtView& view, const TreeItem* extRef)
{
    const TreeItem* ied = extRef;
    while (ied && ied->Parent()) ied = ied->Parent();
    auto attribute = [&](const char* name) { return std::string(ItemAttribute(view, extRef, name)); };
    std::string reference = attribute("iedName") + " " + attribute("ldInst") + "/" + attribute("prefix") +
                            attribute("lnClass") + attribute("lnInst") + "." + attribute("doName");
    if (!attribute("daName").empty()) reference += "." + attribute("daName");
    return "IED " + std::string(ItemName(view, ied)) + ": input " + attribute("intAddr") + " (" + reference + ")";
}

std::vector<DatasetSubscriber> DatasetSubscribers(const CVarnholtView& view, const TreeItem* dataset)
{
    const TreeItem* ln = dataset ? dataset->Parent() : nullptr;
    if (!ln) return {};
    std::string_view name = ItemName(view, dataset);
    TreeItem* control = ln->FirstChild();
    while (control && !(IsItemOfKind(view, control, kKindGSEControl) && ItemAttribute(view, control, "datSet") == name))
        control = control->NextSibling();
    if (!control) return {};
    const TreeItem* ied = ln;
    while (ied->Parent()) ied = ied->Parent();
    std::vector<DatasetSubscriber> subscribers;
    for (TreeItem* input : InputsNamingIED(view, ItemName(view, ied))) {
        auto attribute = [&](const char* attr) { return ItemAttribute(view, input, attr); };
        const std::string lnName =
            std::string(attribute("prefix")) + std::string(attribute("lnClass")) + std::string(attribute("lnInst"));
        if (FindFCDAItem(view, dataset, attribute("ldInst"), lnName, attribute("doName"), attribute("daName")))
            subscribers.push_back({input, control});
    }
    return subscribers;
}

std::vector<std::string> DatasetSubscriberWarnings(const CVarnholtView& view, const TreeItem* dataset,
                                                   const std::string& event, const std::string& advice)
{
    std::vector<std::string> warnings;
    for (const DatasetSubscriber& subscriber : DatasetSubscribers(view, dataset))
        warnings.push_back("Warning: " + DescribeInput(view, subscriber.input) + " subscribes to GSEControl " +
                           std::string(ItemName(view, subscriber.control)) + " of the " + event + " dataset " +
                           std::string(ItemName(view, dataset)) + advice);
    return warnings;
}
