#include "commands/place_ied.h"

#include "core/ied_file.h"
#include "core/varnholt_doc.h"
#include "core/xml_access.h"
#include "core/xml_copy.h"
#include "tree/varnholt_view.h"

namespace {

// The tree items go first, the old element after them, so that no item ever shows
// a freed element.
void FreeElement(xmlNode* element)
{
    xmlUnlinkNode(element);
    xmlFreeNode(element);
}

}  // namespace

void PlaceIED(CVarnholtView& view, const xmlNode* connectedAP, const xmlNode* ied, const std::string& subNetwork,
              std::vector<std::string>& log)
{
    CVarnholtDoc& doc = view.Document();
    xmlNode* root = doc.Root();
    std::vector<xmlNode*> copies = AppendConnectedAPCopies(root, connectedAP, subNetwork);
    for (xmlNode* copy : copies) view.InsertConnectedAPItem(copy, subNetwork, 0);
    if (copies.empty()) {
        std::string where = subNetwork.empty() ? "the project has no subnetwork"
                                               : "the project has no subnetwork \"" + subNetwork + "\"";
        log.push_back("Error: " + where + ": the addresses of access point " + GetAttribute(connectedAP, "apName") +
                      " of IED " + GetAttribute(ied, "name") + " were not added");
    }
    if (xmlNode* copy = InsertIEDCopy(root, ied)) view.Select(view.InsertElementItem(nullptr, copy));
    doc.SetModifiedFlag(true);
}

void ReplaceIED(CVarnholtView& view, const xmlNode* ied, xmlNode* connectedAP, const std::string& subNetwork)
{
    CVarnholtDoc& doc = view.Document();
    xmlNode* root = doc.Root();
    const std::string name = GetAttribute(ied, "name");
    xmlSetProp(connectedAP, Xml("iedName"), Xml(name.c_str()));
    std::string network;
    if (xmlNode* old = FindConnectedAPToReplace(root, name, GetAttribute(connectedAP, "apName"), subNetwork, network)) {
        if (xmlNode* copy = PlaceCopy(connectedAP, old, CopyPlace::After)) {
            view.ReplaceConnectedAPItem(network, copy, old);
            FreeElement(old);
        }
    }
    if (xmlNode* old = FindIEDElement(root, name)) {
        if (xmlNode* copy = PlaceCopy(ied, old, CopyPlace::After)) {
            view.ReplaceIEDItem(copy, old);
            FreeElement(old);
        }
    }
    doc.SetModifiedFlag(true);
}
