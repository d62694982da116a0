// On every well-formed corpus file: after Assign Addresses the communication checks find
// no repeated value, no value out of its range and no control block without an address
// (of an IED on a subnetwork), and every value that was well formed, in range and unique
// is as it was.
#include "communication/address_values.h"
#include "communication/assign_addresses.h"
#include "communication/communication_map.h"
#include "communication/verify_communication.h"
#include "project_tree/tree_fixture.h"

#include <map>
#include <set>

namespace {

using CorpusCommunication = TreeTest;

// The APPIDs and MACs that Assign Addresses must keep, by the element that holds them.
std::map<const xmlNode*, std::pair<std::string, std::string>> KeptValues(const xmlNode* root)
{
    const CommunicationMap map = ReadCommunicationMap(root);
    std::map<std::pair<std::string, std::string>, int> uses;  // (subnetwork, value) -> addresses
    const auto appIdKey = [](const MessageAddress& a) {
        auto value = ParseHexDigits(a.appId, 4);
        return value ? HexDigitsText(*value, 4) : "";
    };
    const auto macKey = [](const MessageAddress& a) {
        auto value = ParseMacAddress(a.mac);
        return value ? MacAddressText(*value) : "";
    };
    for (const MessageAddress& address : map.addresses) {
        ++uses[{address.subNetwork, "A" + appIdKey(address)}];
        ++uses[{address.subNetwork, "M" + macKey(address)}];
    }
    std::map<const xmlNode*, std::pair<std::string, std::string>> kept;
    for (const MessageAddress& address : map.addresses) {
        const AddressRange& range = RangeOf(address.sampledValues);
        auto appId = ParseHexDigits(address.appId, 4);
        auto mac = ParseMacAddress(address.mac);
        if (appId && *appId >= range.appIdFirst && *appId <= range.appIdLast &&
            uses[{address.subNetwork, "A" + appIdKey(address)}] == 1)
            kept[address.element].first = address.appId;
        if (mac && *mac >= range.macFirst && *mac <= range.macLast &&
            uses[{address.subNetwork, "M" + macKey(address)}] == 1)
            kept[address.element].second = address.mac;
    }
    return kept;
}

TEST_F(CorpusCommunication, AssignAddressesLeavesNoRepeatedMissingOrOutOfRangeAddress)
{
    SKIP_WITHOUT_CORPUS();
    const std::set<std::string> mended = {"dup-appid",  "dup-mac",     "mac-range",  "appid-range",
                                          "gse-missing", "smv-missing"};
    size_t files = 0, assigned = 0;
    for (const CorpusEntry& entry : CorpusTable()) {
        if (!entry.wellFormed) continue;
        SCOPED_TRACE(entry.file);
        if (!LoadCorpusFile(entry.file)) continue;
        ++files;
        const auto kept = KeptValues(doc.Root());
        AssignResult result = AssignAddresses(view);
        assigned += result.valuesGiven + result.addressesMade;
        for (const Finding& finding : VerifyCommunication(doc.Root()))
            EXPECT_EQ(mended.count(finding.rule), 0u) << FindingLine(finding);
        for (const MessageAddress& address : ReadCommunicationMap(doc.Root()).addresses) {
            auto found = kept.find(address.element);
            if (found == kept.end()) continue;
            if (!found->second.first.empty()) {
                EXPECT_EQ(address.appId, found->second.first);
            }
            if (!found->second.second.empty()) {
                EXPECT_EQ(address.mac, found->second.second);
            }
        }
    }
    EXPECT_GT(files, 15u);
    EXPECT_GT(assigned, 0u);
}

}  // namespace
