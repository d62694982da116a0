#include "import/place_ied.h"

#include "document/tree_edit.h"
#include "document/varnholt_doc.h"
#include "document/xml_access.h"
#include "document/xml_copy.h"
#include "project_tree/item_access.h"
#include "project_tree/varnholt_view.h"

namespace {

// The tree items go first, the old element after them, so that no item ever shows
// a freed element.
void FreeElement(xmlNode* element)
{
    EditRemove(element);
}

// The item of a ConnectedAP element, below the SubNetwork items of the first
// Communication item.
TreeItem* ConnectedAPItem(const CVarnholtView& view, const xmlNode* element)
{
    TreeItem* communication = view.FirstRootItem();
    while (communication && !IsItemOfKind(view, communication, kKindCommunication))
        communication = communication->NextSibling();
    for (TreeItem* network = communication ? communication->FirstChild() : nullptr; network;
         network = network->NextSibling())
        for (TreeItem* item = network->FirstChild(); item; item = item->NextSibling())
            if (ItemElement(view, item) == element) return item;
    return nullptr;
}

// Appends copies of the ConnectedAP to the subnetworks named `target` ("" when none
// takes it: the log says so, naming `wanted`).
void PlaceConnectedAP(CVarnholtView& view, const xmlNode* connectedAP, const std::string& iedName,
                      const std::string& target, const std::string& wanted, std::vector<std::string>& log)
{
    std::vector<xmlNode*> copies;
    if (!target.empty()) copies = AppendConnectedAPCopies(view.Document().Root(), connectedAP, target);
    for (xmlNode* copy : copies) view.InsertConnectedAPItem(copy, target, 0);
    if (!copies.empty()) return;
    std::string where =
        wanted.empty() ? "the project has no subnetwork" : "the project has no subnetwork \"" + wanted + "\"";
    log.push_back("Error: " + where + ": the addresses of access point " + GetAttribute(connectedAP, "apName") +
                  " of IED " + iedName + " were not added");
}

// Several ConnectedAPs go each on its own subnetwork when the project has one.
void PlaceByName(CVarnholtView& view, const ConnectedAPAt& connectedAP, const std::string& iedName,
                 const std::string& subNetwork, std::vector<std::string>& log)
{
    std::string target =
        SubNetworkForConnectedAP(view.Document().Root(), connectedAP.element, connectedAP.subNetwork, subNetwork);
    PlaceConnectedAP(view, connectedAP.element, iedName, target, connectedAP.subNetwork, log);
}

bool HasAccessPoint(const xmlNode* ied, std::string_view apName)
{
    return FindNamedChildElement(ied, "AccessPoint", apName) != nullptr;
}

}  // namespace

void PlaceIED(CVarnholtView& view, const std::vector<ConnectedAPAt>& connectedAPs, const xmlNode* ied,
              const std::string& subNetwork, std::vector<std::string>& log)
{
    CVarnholtDoc& doc = view.Document();
    const std::string name = GetAttribute(ied, "name");
    if (connectedAPs.size() == 1)
        PlaceConnectedAP(view, connectedAPs.front().element, name, subNetwork, subNetwork, log);
    else
        for (const ConnectedAPAt& connectedAP : connectedAPs) PlaceByName(view, connectedAP, name, subNetwork, log);
    if (xmlNode* copy = InsertIEDCopy(doc.Root(), ied)) view.Select(view.InsertElementItem(nullptr, copy));
    doc.SetModifiedFlag(true);
}

void ReplaceIED(CVarnholtView& view, const xmlNode* ied, const std::vector<ConnectedAPAt>& connectedAPs,
                const std::string& subNetwork, std::vector<std::string>& log)
{
    CVarnholtDoc& doc = view.Document();
    xmlNode* root = doc.Root();
    const std::string name = GetAttribute(ied, "name");
    for (const ConnectedAPAt& connectedAP : connectedAPs)
        EditSetAttribute(connectedAP.element, "iedName", name);

    // Which old ConnectedAP each new one replaces: the one of its access point, else
    // one on `subNetwork` whose access point is gone (the access point was renamed).
    const std::vector<ConnectedAPAt> old = ConnectedAPsOfIED(root, name);
    std::vector<const ConnectedAPAt*> replaces(connectedAPs.size(), nullptr);
    std::vector<bool> taken(old.size(), false);
    auto take = [&](size_t i, auto fits) {
        for (size_t j = 0; j < old.size() && !replaces[i]; ++j)
            if (!taken[j] && fits(old[j])) {
                taken[j] = true;
                replaces[i] = &old[j];
            }
    };
    for (size_t i = 0; i < connectedAPs.size(); ++i) {
        std::string_view apName = GetAttribute(connectedAPs[i].element, "apName");
        take(i, [&](const ConnectedAPAt& o) { return GetAttribute(o.element, "apName") == apName; });
    }
    for (size_t i = 0; i < connectedAPs.size(); ++i)
        take(i, [&](const ConnectedAPAt& o) {
            return o.subNetwork == subNetwork && !HasAccessPoint(ied, GetAttribute(o.element, "apName"));
        });

    for (size_t i = 0; i < connectedAPs.size(); ++i) {
        if (!replaces[i]) {
            PlaceByName(view, connectedAPs[i], name, subNetwork, log);
        } else if (xmlNode* copy = PlaceCopy(connectedAPs[i].element, replaces[i]->element, CopyPlace::After)) {
            view.ReplaceConnectedAPItem(replaces[i]->subNetwork, copy, replaces[i]->element);
            FreeElement(replaces[i]->element);
        }
    }
    for (size_t j = 0; j < old.size(); ++j) {
        if (taken[j]) continue;  // freed above
        const std::string apName = GetAttribute(old[j].element, "apName");
        if (HasAccessPoint(ied, apName)) continue;
        log.push_back("Warning: IED " + name + " has no access point " + apName +
                      " any more: its ConnectedAP in subnetwork " + old[j].subNetwork + " was removed");
        if (TreeItem* item = ConnectedAPItem(view, old[j].element)) {
            view.ReleaseItemRecords(item);
            view.DeleteItem(item);
        }
        FreeElement(old[j].element);
    }

    if (xmlNode* oldIED = FindIEDElement(root, name)) {
        if (xmlNode* copy = PlaceCopy(ied, oldIED, CopyPlace::After)) {
            view.ReplaceIEDItem(copy, oldIED);
            FreeElement(oldIED);
        }
    }
    doc.SetModifiedFlag(true);
}
