#include "project_tree/verify_addresses.h"

#include "document/log_dialogs.h"
#include "project_tree/item_access.h"

#include <optional>
#include <unordered_set>

namespace {

// The text of the Address's first P of type IP; none when it has no such P.
std::optional<std::string> IPAddress(const xmlNode* address)
{
    for (const xmlNode* p : ElementChildren(address))
        if (ElementName(p) == "P" && std::string_view(GetAttribute(p, "type")) == "IP") return GetElementText(p);
    return std::nullopt;
}

void VerifySubNetwork(const CVarnholtView& view, const TreeItem* network, std::vector<std::string>& log)
{
    std::unordered_set<std::string> seen;
    std::string name(ItemName(view, network));
    for (const TreeItem* ap = network->FirstChild(); ap; ap = ap->NextSibling()) {
        if (!IsItemOfKind(view, ap, kKindConnectedAP)) continue;
        for (const TreeItem* address = ap->FirstChild(); address; address = address->NextSibling()) {
            if (!IsItemOfKind(view, address, kKindAddress)) continue;
            std::optional<std::string> ip = IPAddress(ItemElement(view, address));
            if (!ip || seen.insert(*ip).second) continue;
            log.push_back("Error: Subnetwork " + name + ": IP for IED:" + std::string(ItemAttribute(view, ap, "iedName")) +
                          " AP:" + std::string(ItemAttribute(view, ap, "apName")) + " is duplicated");
        }
    }
}

}  // namespace

std::vector<std::string> VerifyAddresses(const CVarnholtView& view)
{
    std::vector<std::string> log;
    for (const TreeItem* root = view.FirstRootItem(); root; root = root->NextSibling()) {
        if (!IsItemOfKind(view, root, kKindCommunication)) continue;
        for (const TreeItem* network = root->FirstChild(); network; network = network->NextSibling())
            if (IsItemOfKind(view, network, kKindSubNetwork)) VerifySubNetwork(view, network, log);
    }
    return log;
}

void OnVerifyAddresses(const CVarnholtView& view, UserInterface& ui)
{
    std::vector<std::string> log = VerifyAddresses(view);
    if (log.empty()) {
        ui.ShowMessage("Verify Addresses", "Addresses are correct", MessageIcon::Information, MessageButtons::Ok);
        return;
    }
    CVerifyDialog dialog(std::move(log));
    ui.RunDialog(dialog);
}
