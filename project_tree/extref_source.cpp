// Resolving an ExtRef to the data it subscribes to and to the GOOSE control blocks
// that publish that data. Only the source IED's access points on the subnetwork of
// the receiving access point are searched.
#include "project_tree/item_access.h"
#include "project_tree/scl_lookups.h"

#include <string>

namespace {

struct ExtRefReference {
    std::string_view iedName, ldInst, doName, daName;
    std::string ln;

    explicit ExtRefReference(const xmlNode* extRef)
        : iedName(GetAttribute(extRef, "iedName")), ldInst(GetAttribute(extRef, "ldInst")),
          doName(GetAttribute(extRef, "doName")), daName(GetAttribute(extRef, "daName")),
          ln(std::string(GetAttribute(extRef, "prefix")) + GetAttribute(extRef, "lnClass") +
             GetAttribute(extRef, "lnInst"))
    {
    }
};

// ExtRef, Inputs, LN, LDevice, Server, AccessPoint, IED: the subnetwork on which the
// receiving access point is connected.
TreeItem* ReceivingSubNetwork(const CVarnholtView& view, const TreeItem* extRef)
{
    TreeItem* accessPoint = AncestorOf(extRef, 5);
    TreeItem* ied = AncestorOf(extRef, 6);
    std::string_view apName = IsItemOfKind(view, accessPoint, kKindAccessPoint) ? ItemName(view, accessPoint) : "";
    std::string_view iedName = IsItemOfKind(view, ied, kKindIED) ? ItemName(view, ied) : "";
    return FindSubNetworkOfConnectedAP(view, iedName, apName);
}

// Calls `visit` with each access point of the source IED on the receiving subnetwork,
// in order, until it returns true.
template <typename Visit>
void ForEachSourceAccessPoint(const CVarnholtView& view, const TreeItem* extRef, const ExtRefReference& ref,
                              Visit visit)
{
    if (!IsItemOfKind(view, extRef, kKindExtRef)) return;
    TreeItem* subNetwork = ReceivingSubNetwork(view, extRef);
    if (!subNetwork) return;
    TreeItem* ied = FindIEDItem(view, ref.iedName);
    for (TreeItem* ap = ied ? ied->FirstChild() : nullptr; ap; ap = ap->NextSibling()) {
        if (!IsItemOfKind(view, ap, kKindAccessPoint)) continue;
        if (FindSubNetworkOfConnectedAP(view, ref.iedName, ItemName(view, ap)) != subNetwork) continue;
        if (visit(ap)) return;
    }
}

}  // namespace

TreeItem* FindExtRefSourceItem(const CVarnholtView& view, const TreeItem* extRef)
{
    ExtRefReference ref(ItemElement(view, extRef));
    TreeItem* source = nullptr;
    ForEachSourceAccessPoint(view, extRef, ref, [&](const TreeItem* ap) {
        TreeItem* server = nullptr;
        for (TreeItem* item = ap->FirstChild(); item && !server; item = item->NextSibling())
            if (IsElementNamed(ItemElement(view, item), "Server")) server = item;
        source = FindDataItem(view, server, ref.ldInst, ref.ln, ref.doName, ref.daName);
        return source != nullptr;
    });
    return source;
}

std::vector<ExtRefPublisher> FindExtRefPublishers(const CVarnholtView& view, const TreeItem* extRef)
{
    ExtRefReference ref(ItemElement(view, extRef));
    std::vector<ExtRefPublisher> publishers;
    auto addPublishers = [&](const TreeItem* ldevice) {
        TreeItem* ln0 = FindLNItem(view, ldevice, "LLN0");
        for (TreeItem* control = ln0 ? ln0->FirstChild() : nullptr; control; control = control->NextSibling()) {
            std::string_view datSet = ItemAttribute(view, control, "datSet");
            if (!IsItemOfKind(view, control, kKindGSEControl) || datSet.empty()) continue;
            TreeItem* dataset = FindDataSetItem(view, ln0, datSet);
            if (TreeItem* fcda = FindFCDAItem(view, dataset, ref.ldInst, ref.ln, ref.doName, ref.daName))
                publishers.push_back({control, fcda});
        }
    };
    // The logical device that holds the data first, then the others: a dataset of any
    // logical device may publish it.
    ForEachSourceAccessPoint(view, extRef, ref, [&](const TreeItem* ap) {
        const TreeItem* own = FindLDeviceItem(view, ap, ref.ldInst);
        addPublishers(own);
        for (const TreeItem* server = ap->FirstChild(); server; server = server->NextSibling()) {
            if (!IsElementNamed(ItemElement(view, server), "Server")) continue;
            for (const TreeItem* ldevice = server->FirstChild(); ldevice; ldevice = ldevice->NextSibling())
                if (ldevice != own && IsItemOfKind(view, ldevice, kKindLDevice)) addPublishers(ldevice);
        }
        return !publishers.empty();
    });
    return publishers;
}
