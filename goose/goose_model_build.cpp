#include "goose/goose_model_build.h"

#include "goose/gse_address.h"
#include "goose/source_control.h"
#include "project_tree/item_access.h"
#include "project_tree/scl_lookups.h"

#include <string>

namespace {

constexpr uint8_t kGooseOrInputs = kMarkerGoose | kMarkerInputs;

bool HasMarkers(const CVarnholtView& view, const TreeItem* item, uint8_t markers)
{
    const TreeItemRecord* record = view.Record(item);
    return record && (record->markers & markers);
}

std::string Attribute(const CVarnholtView& view, const TreeItem* item, const char* name)
{
    return std::string(ItemAttribute(view, item, name));
}

void AddControls(const CVarnholtView& view, const ConnectedAPs& connectedAPs, const TreeItem* ln,
                 const std::string& ldInst, CGooseDataSet& dataset)
{
    for (TreeItem* item = ln->FirstChild(); item; item = item->NextSibling()) {
        if (!IsItemOfKind(view, item, kKindGSEControl) || ItemAttribute(view, item, "datSet") != dataset.name)
            continue;
        auto control = std::make_unique<CGooseControl>();
        control->item = item;
        control->name = Attribute(view, item, "name");
        control->reference = ControlBlockReferenceOf(view, item);
        control->gooseId = Attribute(view, item, "appID");
        control->confRev = Attribute(view, item, "confRev");
        TreeItem* address = nullptr;
        for (const TreeItem* connectedAP : connectedAPs) {
            address = FindGSEAddressItem(view, connectedAP, ldInst, control->name);
            if (!address) continue;
            control->subNetwork = ItemName(view, connectedAP->Parent());
            break;
        }
        if (!address) continue;
        ReadGseAddress(view, address, *control);
        control->owner = &dataset;
        dataset.controls.push_back(std::move(control));
    }
}

void AddMembers(const CVarnholtView& view, const TreeItem* datasetItem, const TreeItem* server,
                CGooseDataSet& dataset)
{
    for (TreeItem* item = datasetItem->FirstChild(); item; item = item->NextSibling()) {
        if (!IsItemOfKind(view, item, kKindFCDA)) continue;
        auto output = std::make_unique<CGooseOutput>();
        output->item = item;
        output->owner = &dataset;
        output->lnClass = Attribute(view, item, "lnClass");
        output->lnInst = Attribute(view, item, "lnInst");
        output->prefix = Attribute(view, item, "prefix");
        output->ldInst = Attribute(view, item, "ldInst");
        output->doName = Attribute(view, item, "doName");
        output->daName = Attribute(view, item, "daName");
        TreeItem* data = FindDataItem(view, server, output->ldInst, output->prefix + output->lnClass + output->lnInst,
                                      output->doName, output->daName);
        output->bType = Attribute(view, data, "bType");
        output->index = static_cast<int>(dataset.members.size());
        dataset.members.push_back(std::move(output));
    }
}

void AddInputs(const CVarnholtView& view, const TreeItem* inputs, CGooseLDevice& ldevice)
{
    for (TreeItem* item = inputs->FirstChild(); item; item = item->NextSibling()) {
        if (!IsItemOfKind(view, item, kKindExtRef) || !IsGooseInput(ItemElement(view, item))) continue;
        std::unique_ptr<CGooseInput> input = MakeGooseInput(view, item);
        input->owner = &ldevice;
        ldevice.inputs.push_back(std::move(input));
    }
}

}  // namespace

std::unique_ptr<CGooseInput> MakeGooseInput(const CVarnholtView& view, TreeItem* extRef)
{
    auto input = std::make_unique<CGooseInput>();
    input->item = extRef;
    input->intAddr = Attribute(view, extRef, "intAddr");
    input->iedName = Attribute(view, extRef, "iedName");
    input->ldInst = Attribute(view, extRef, "ldInst");
    input->lnClass = Attribute(view, extRef, "lnClass");
    input->lnInst = Attribute(view, extRef, "lnInst");
    input->prefix = Attribute(view, extRef, "prefix");
    input->doName = Attribute(view, extRef, "doName");
    input->daName = Attribute(view, extRef, "daName");
    input->desc = Attribute(view, extRef, "desc");
    input->sourceControl = ReadSourceControl(ItemElement(view, extRef));
    return input;
}

bool BuildGooseLDevice(const CVarnholtView& view, const ConnectedAPs& connectedAPs, TreeItem* ldeviceItem,
                       CGooseLDevice& ldevice)
{
    if (!ldeviceItem) return false;
    ldevice.item = ldeviceItem;
    ldevice.inst = Attribute(view, ldeviceItem, "inst");
    const TreeItem* ln = ldeviceItem->FirstChild();
    while (ln && !(IsItemOfKind(view, ln, kKindLN) && HasMarkers(view, ln, kGooseOrInputs))) ln = ln->NextSibling();
    if (!ln) return false;
    for (TreeItem* item = ln->FirstChild(); item; item = item->NextSibling()) {
        if (IsItemOfKind(view, item, kKindInputs)) {
            AddInputs(view, item, ldevice);
            continue;
        }
        if (!IsItemOfKind(view, item, kKindDataSet)) continue;
        auto dataset = std::make_unique<CGooseDataSet>();
        dataset->item = item;
        dataset->name = Attribute(view, item, "name");
        AddControls(view, connectedAPs, ln, ldevice.inst, *dataset);
        if (dataset->controls.empty()) continue;
        AddMembers(view, item, ldeviceItem->Parent(), *dataset);
        if (dataset->members.empty()) continue;
        dataset->owner = &ldevice;
        ldevice.datasets.push_back(std::move(dataset));
    }
    return !ldevice.datasets.empty();
}

bool BuildGooseIed(const CVarnholtView& view, const TreeItem* connectedAP, CGooseIed& ied, bool keepInputs)
{
    return BuildGooseIed(view, ConnectedAPs{connectedAP}, ied, keepInputs);
}

bool BuildGooseIed(const CVarnholtView& view, const ConnectedAPs& connectedAPs, CGooseIed& ied, bool keepInputs)
{
    if (connectedAPs.empty()) return false;
    const TreeItem* connectedAP = connectedAPs.front();
    ied.name = Attribute(view, connectedAP, "iedName");
    TreeItem* iedItem = FindIEDItem(view, ied.name);
    TreeItem* accessPoint = FindAccessPointItem(view, iedItem, ItemAttribute(view, connectedAP, "apName"));
    if (!accessPoint) return false;
    ied.accessPointItem = accessPoint;
    for (TreeItem* server = accessPoint->FirstChild(); server; server = server->NextSibling()) {
        if (!IsElementNamed(ItemElement(view, server), "Server")) continue;
        for (TreeItem* item = server->FirstChild(); item; item = item->NextSibling()) {
            if (!IsItemOfKind(view, item, kKindLDevice) || !HasMarkers(view, item, kGooseOrInputs)) continue;
            auto ldevice = std::make_unique<CGooseLDevice>();
            bool publishes = BuildGooseLDevice(view, connectedAPs, item, *ldevice);
            if (!publishes && !(keepInputs && !ldevice->inputs.empty())) continue;
            ldevice->owner = &ied;
            ied.logicalDevices.push_back(std::move(ldevice));
        }
    }
    return !ied.logicalDevices.empty();
}
