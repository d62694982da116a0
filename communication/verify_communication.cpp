#include "communication/verify_communication.h"

#include "communication/address_values.h"
#include "communication/communication_map.h"
#include "document/log_dialogs.h"
#include "document/user_interface.h"

#include <algorithm>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

namespace {

class Checker {
public:
    explicit Checker(const xmlNode* root) : map_(ReadCommunicationMap(root)) {}

    std::vector<Finding> Run()
    {
        GroupRepeatedValues();
        for (size_t i = 0; i < map_.addresses.size(); ++i) CheckAddress(i);
        for (const MessageControl& control : map_.controls) CheckControlHasAddress(control);
        return std::move(findings_);
    }

private:
    using Key = std::pair<std::string, std::string>;  // subnetwork, value as the network reads it

    void Add(FindingLevel level, const char* rule, const MessageAddress& address, const std::string& text)
    {
        findings_.push_back({level, rule, address.iedName, address.ldInst, address.cbName,
                             "Subnetwork " + address.subNetwork + ": " + DescribeAddress(address) + ": " + text,
                             address.element});
    }

    void GroupRepeatedValues()
    {
        for (size_t i = 0; i < map_.addresses.size(); ++i) {
            const MessageAddress& address = map_.addresses[i];
            if (auto appId = ParseHexDigits(address.appId, 4))
                byAppId_[{address.subNetwork, HexDigitsText(*appId, 4)}].push_back(i);
            if (auto mac = ParseMacAddress(address.mac))
                byMac_[{address.subNetwork, MacAddressText(*mac)}].push_back(i);
        }
    }

    // "also the APPID of GSE of IED P1 LD0/GC2, SMV of ..." when others share the value.
    std::string Others(const std::map<Key, std::vector<size_t>>& groups, const Key& key, size_t self) const
    {
        std::string others;
        for (size_t other : groups.at(key))
            if (other != self) others += (others.empty() ? "" : ", ") + DescribeAddress(map_.addresses[other]);
        return others;
    }

    void CheckAddress(size_t index)
    {
        const MessageAddress& address = map_.addresses[index];
        const AddressRange& range = RangeOf(address.sampledValues);
        if (!address.mac.empty()) {
            if (auto mac = ParseMacAddress(address.mac)) {
                const std::string text = MacAddressText(*mac);
                if (*mac < range.macFirst || *mac > range.macLast)
                    Add(FindingLevel::Warning, "mac-range", address,
                        "MAC-Address " + text + " is outside " + MacAddressText(range.macFirst) + " to " +
                            MacAddressText(range.macLast));
                if (std::string others = Others(byMac_, {address.subNetwork, text}, index); !others.empty())
                    Add(FindingLevel::Warning, "dup-mac", address,
                        "MAC-Address " + text + " is also the MAC-Address of " + others);
            } else {
                Add(FindingLevel::Error, "mac-format", address,
                    "MAC-Address \"" + address.mac + "\" is not six hex pairs");
            }
        }
        if (!address.appId.empty()) {
            if (auto appId = ParseHexDigits(address.appId, 4)) {
                const std::string text = HexDigitsText(*appId, 4);
                if (*appId < range.appIdFirst || *appId > range.appIdLast)
                    Add(FindingLevel::Warning, "appid-range", address,
                        "APPID " + text + " is outside " + HexDigitsText(range.appIdFirst, 4) + " to " +
                            HexDigitsText(range.appIdLast, 4));
                if (std::string others = Others(byAppId_, {address.subNetwork, text}, index); !others.empty())
                    Add(FindingLevel::Warning, "dup-appid", address,
                        "APPID " + text + " is also the APPID of " + others);
            } else {
                Add(FindingLevel::Error, "appid-format", address,
                    "APPID \"" + address.appId + "\" is not four hex digits");
            }
        }
        if (!address.vlanId.empty() && !ParseHexDigits(address.vlanId, 3))
            Add(FindingLevel::Error, "vlan-id", address, "VLAN-ID \"" + address.vlanId + "\" is not three hex digits");
        if (!address.vlanPriority.empty() && !IsVlanPriority(address.vlanPriority))
            Add(FindingLevel::Error, "vlan-priority", address,
                "VLAN-PRIORITY \"" + address.vlanPriority + "\" is not a digit from 0 to 7");
        CheckTimes(address);
        CheckAddressHasControl(address);
    }

    void CheckTimes(const MessageAddress& address)
    {
        const auto number = [](const std::string& text) -> std::optional<double> {
            if (text.empty()) return std::nullopt;
            size_t used = 0;
            try {
                double value = std::stod(text, &used);
                return used == text.size() ? std::optional<double>(value) : std::nullopt;
            } catch (const std::exception&) {
                return std::nullopt;
            }
        };
        auto minTime = number(address.minTime), maxTime = number(address.maxTime);
        if (minTime && maxTime && *minTime > *maxTime)
            Add(FindingLevel::Error, "min-max", address,
                "MinTime " + address.minTime + " is greater than MaxTime " + address.maxTime);
    }

    void CheckAddressHasControl(const MessageAddress& address)
    {
        if (std::find(map_.iedNames.begin(), map_.iedNames.end(), address.iedName) == map_.iedNames.end()) return;
        for (const MessageControl& control : map_.controls)
            if (IsAddressOf(address, control)) return;
        const char* kind = address.sampledValues ? "SampledValueControl" : "GSEControl";
        Add(FindingLevel::Warning, address.sampledValues ? "smv-orphan" : "gse-orphan", address,
            std::string("the IED has no ") + kind + " " + address.cbName + " in LD " + address.ldInst);
    }

    // Only for an IED on a subnetwork: one on none is not set up to send anything yet.
    void CheckControlHasAddress(const MessageControl& control)
    {
        if (!IsOnSubNetwork(map_, control.iedName) || HasAddress(map_, control)) return;
        const char* kind = control.sampledValues ? "SampledValueControl" : "GSEControl";
        const char* addressKind = control.sampledValues ? "SMV" : "GSE";
        findings_.push_back({FindingLevel::Error, control.sampledValues ? "smv-missing" : "gse-missing",
                             control.iedName, control.ldInst, control.name,
                             "IED " + control.iedName + " " + control.ldInst + "/" + control.name + ": " + kind +
                                 " has no " + addressKind + " address in a ConnectedAP of its IED: its messages " +
                                 "are never sent",
                             control.element});
    }

    CommunicationMap map_;
    std::map<Key, std::vector<size_t>> byAppId_, byMac_;
    std::vector<Finding> findings_;
};

}  // namespace

std::vector<Finding> VerifyCommunication(const xmlNode* root)
{
    return root ? Checker(root).Run() : std::vector<Finding>{};
}

void OnVerifyCommunication(const xmlNode* root, UserInterface& ui)
{
    std::vector<std::string> log;
    for (const Finding& finding : VerifyCommunication(root)) log.push_back(FindingLine(finding));
    if (log.empty()) {
        ui.ShowMessage("Verify Communication", "Addresses are correct", MessageIcon::Information, MessageButtons::Ok);
        return;
    }
    CVerifyDialog dialog(std::move(log));
    ui.RunDialog(dialog);
}
