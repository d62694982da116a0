#include "communication/assign_addresses.h"

#include "communication/address_values.h"
#include "communication/communication_map.h"
#include "document/log_dialogs.h"
#include "document/tree_edit.h"
#include "document/user_interface.h"
#include "document/varnholt_doc.h"
#include "document/xml_access.h"
#include "project_tree/varnholt_view.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>

namespace {

constexpr const char* kDefaultVlanId = "000";
constexpr const char* kDefaultVlanPriority = "4";

// The APPIDs and MACs taken on one subnetwork, by any GSE or SMV.
struct TakenValues {
    std::set<unsigned> appIds;
    std::set<uint64_t> macs;
};

class Assigner {
public:
    explicit Assigner(CVarnholtDoc& doc) : doc_(doc), map_(ReadCommunicationMap(doc.Root())) {}

    AssignResult Run()
    {
        std::vector<const MessageAddress*> needAppId, needMac;
        for (const MessageAddress& address : map_.addresses) {
            TakenValues& taken = taken_[address.subNetwork];
            if (!Keep(ParseHexDigits(address.appId, 4), address, taken.appIds, true)) needAppId.push_back(&address);
            if (!Keep(ParseMacAddress(address.mac), address, taken.macs, false)) needMac.push_back(&address);
        }
        for (const MessageAddress* address : needAppId) GiveAppId(*address);
        for (const MessageAddress* address : needMac) GiveMac(*address);
        for (const MessageControl& control : map_.controls)
            if (!HasAddress(map_, control)) MakeAddress(control);
        return std::move(result_);
    }

private:
    // Whether a value stays: well formed, in range and not taken by an earlier address.
    template <typename Value>
    static bool Keep(std::optional<Value> value, const MessageAddress& address, std::set<Value>& taken, bool appId)
    {
        if (!value) return false;
        const AddressRange& range = RangeOf(address.sampledValues);
        const Value first = appId ? range.appIdFirst : range.macFirst, last = appId ? range.appIdLast : range.macLast;
        return *value >= first && *value <= last && taken.insert(*value).second;
    }

    // The lowest value of the range not taken on the subnetwork, now taken.
    template <typename Value>
    std::optional<Value> Free(std::set<Value>& taken, Value first, Value last)
    {
        for (Value value = first;; ++value) {
            if (!taken.count(value)) {
                taken.insert(value);
                return value;
            }
            if (value == last) return std::nullopt;
        }
    }

    std::optional<std::string> FreeAppId(const std::string& subNetwork, bool sampled)
    {
        const AddressRange& range = RangeOf(sampled);
        // APPID 0000 is what a device sends when none is configured: it is not given.
        auto value = Free<unsigned>(taken_[subNetwork].appIds, std::max(range.appIdFirst, 1u), range.appIdLast);
        if (value) return HexDigitsText(*value, 4);
        Incomplete("Error: Subnetwork " + subNetwork + ": no free APPID is left in " +
                   HexDigitsText(range.appIdFirst, 4) + " to " + HexDigitsText(range.appIdLast, 4));
        return std::nullopt;
    }

    std::optional<std::string> FreeMac(const std::string& subNetwork, bool sampled)
    {
        const AddressRange& range = RangeOf(sampled);
        auto value = Free<uint64_t>(taken_[subNetwork].macs, range.macFirst, range.macLast);
        if (value) return MacAddressText(*value);
        Incomplete("Error: Subnetwork " + subNetwork + ": no free MAC-Address is left in " +
                   MacAddressText(range.macFirst) + " to " + MacAddressText(range.macLast));
        return std::nullopt;
    }

    void Incomplete(std::string line)
    {
        result_.complete = false;
        result_.log.push_back(std::move(line));
    }

    // Writes the P of `type` of the address (made when missing), and tells the change.
    void SetParameter(const MessageAddress& address, const char* type, const std::string& old, const std::string& value)
    {
        xmlNode* parameters = FindChildElement(address.element, "Address");
        if (!parameters) {
            parameters = NewElement(address.element, "Address");
            EditInsert(address.element, xmlFirstElementChild(address.element), parameters);
        }
        if (xmlNode* p = AddressParameterElement(parameters, type))
            EditSetText(p, value);
        else
            EditInsert(parameters, nullptr, NewElement(parameters, "P", {{"type", type}}, value.c_str()));
        ++result_.valuesGiven;
        result_.log.push_back("Information: Subnetwork " + address.subNetwork + ": " + DescribeAddress(address) + ": " +
                              type + " " + (old.empty() ? "(none)" : old) + " -> " + value);
    }

    void GiveAppId(const MessageAddress& address)
    {
        if (auto value = FreeAppId(address.subNetwork, address.sampledValues))
            SetParameter(address, "APPID", address.appId, *value);
    }

    void GiveMac(const MessageAddress& address)
    {
        if (auto value = FreeMac(address.subNetwork, address.sampledValues))
            SetParameter(address, "MAC-Address", address.mac, *value);
    }

    // GSEs go after the Address and the other GSEs, SMVs after those and the other SMVs.
    static xmlNode* PlaceInConnectedAP(xmlNode* connectedAP, bool sampled)
    {
        for (xmlNode* child : ElementChildren(connectedAP)) {
            const std::string_view name = ElementName(child);
            if (name == "Address" || name == "GSE" || (sampled && name == "SMV")) continue;
            return child;
        }
        return nullptr;
    }

    void MakeAddress(const MessageControl& control)
    {
        const char* kind = control.sampledValues ? "SMV" : "GSE";
        const std::string what =
            std::string(kind) + " of IED " + control.iedName + " " + control.ldInst + "/" + control.name;
        const ConnectedAPEntry* home = nullptr;
        for (const ConnectedAPEntry& entry : map_.connectedAPs)
            if (!home && entry.iedName == control.iedName && entry.apName == control.apName) home = &entry;
        if (!home) {
            // An IED on no subnetwork is not set up to send anything yet; one on a subnetwork
            // through another access point cannot send this control block's messages there.
            if (IsOnSubNetwork(map_, control.iedName))
                Incomplete("Warning: " + what + ": the IED's access point " + control.apName +
                           " is on no subnetwork; no address is made");
            return;
        }
        auto mac = FreeMac(home->subNetwork, control.sampledValues);
        auto appId = FreeAppId(home->subNetwork, control.sampledValues);
        if (!mac || !appId) return;
        xmlNode* message = NewElement(home->element, kind, {{"ldInst", control.ldInst}, {"cbName", control.name}});
        xmlNode* parameters = NewElement(message, "Address");
        EditInsert(message, nullptr, parameters);
        for (const auto& [type, value] : {std::pair<const char*, std::string>{"MAC-Address", *mac},
                                          {"APPID", *appId}, {"VLAN-ID", kDefaultVlanId},
                                          {"VLAN-PRIORITY", kDefaultVlanPriority}})
            EditInsert(parameters, nullptr, NewElement(parameters, "P", {{"type", type}}, value.c_str()));
        EditInsert(home->element, PlaceInConnectedAP(home->element, control.sampledValues), message);
        ++result_.addressesMade;
        result_.log.push_back("Information: Subnetwork " + home->subNetwork + ": " + what + " made with MAC-Address " +
                              *mac + " and APPID " + *appId);
    }

    CVarnholtDoc& doc_;
    CommunicationMap map_;
    std::map<std::string, TakenValues> taken_;
    AssignResult result_;
};

}  // namespace

AssignResult AssignAddresses(CVarnholtView& view)
{
    CVarnholtDoc& doc = view.Document();
    if (!doc.Root()) return {};
    AssignResult result;
    ChangeChannel::Touched touched;
    {
        ChangeStep step(doc.Changes(), "Assign Addresses");
        result = Assigner(doc).Run();
        touched = doc.Changes().OpenStepTouched();
    }
    if (result.valuesGiven + result.addressesMade > 0) {
        view.FollowChanges(touched);
        doc.SetModifiedFlag(true);
    }
    return result;
}

AssignResult OnAssignAddresses(CVarnholtView& view, UserInterface& ui)
{
    AssignResult result = AssignAddresses(view);
    if (result.log.empty()) {
        ui.ShowMessage("Assign Addresses", "Every GOOSE and sampled value message has an address of its own",
                       MessageIcon::Information, MessageButtons::Ok);
        return result;
    }
    CVerifyDialog dialog(result.log);
    ui.RunDialog(dialog);
    return result;
}
