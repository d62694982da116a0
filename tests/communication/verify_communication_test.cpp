// The communication checks, rule by rule: each row is a small project and the findings
// it must give, as rule, IED, LD inst and control block.
#include "communication/address_values.h"
#include "communication/verify_communication.h"
#include "communication_fixture.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Findings(const std::string& communication, const std::string& ieds)
{
    std::unique_ptr<xmlDoc, void (*)(xmlDoc*)> tree(
        ParseSclText(SclDocument("<Communication>" + communication + "</Communication>" + ieds)), xmlFreeDoc);
    std::vector<std::string> lines;
    for (const Finding& finding : VerifyCommunication(xmlDocGetRootElement(tree.get())))
        lines.push_back(std::string(finding.level == FindingLevel::Error ? "E " : "W ") + finding.rule + " " +
                        finding.ied + " " + finding.ldInst + " " + finding.controlBlock);
    return lines;
}

TEST(VerifyCommunication, EachRuleFindsItsFault)
{
    const std::string twoIeds = Ied("K1") + Ied("K2");
    const struct {
        const char* what;
        std::string communication;
        std::string ieds;
        std::vector<std::string> findings;
    } rows[] = {
        {"every message addressed once and in range", SubNetwork("W1", ConnectedAP("K1", kGoodK1) +
                                                                       ConnectedAP("K2", kGoodK2)),
         twoIeds, {}},
        {"one APPID for two GSEs, in another case",
         SubNetwork("W1", ConnectedAP("K1", Gse("GC1", Address("01-0C-CD-01-00-01", "00aB")) +
                                                Smv("SV1", Address("01-0C-CD-04-00-01", "4001"))) +
                              ConnectedAP("K2", Gse("GC1", Address("01-0C-CD-01-00-02", "00AB")) +
                                                    Smv("SV1", Address("01-0C-CD-04-00-02", "4002")))),
         twoIeds, {"W dup-appid K1 LD0 GC1", "W dup-appid K2 LD0 GC1"}},
        {"one APPID for a GSE and an SMV",
         SubNetwork("W1", ConnectedAP("K1", Gse("GC1", Address("01-0C-CD-01-00-01", "4001")) +
                                                Smv("SV1", Address("01-0C-CD-04-00-01", "4001"))) +
                              ConnectedAP("K2", kGoodK2)),
         twoIeds, {"W appid-range K1 LD0 GC1", "W dup-appid K1 LD0 GC1", "W dup-appid K1 LD0 SV1"}},
        {"one APPID on two subnetworks",
         SubNetwork("W1", ConnectedAP("K1", kGoodK1)) +
             SubNetwork("W2", ConnectedAP("K2", Gse("GC1", Address("01-0C-CD-01-00-02", "0001")) +
                                                     Smv("SV1", Address("01-0C-CD-04-00-02", "4002")))),
         twoIeds, {}},
        {"one MAC written with other separators and case",
         SubNetwork("W1", ConnectedAP("K1", kGoodK1) +
                              ConnectedAP("K2", Gse("GC1", Address("01:0c:cd:01-00:01", "0002")) +
                                                    Smv("SV1", Address("01-0C-CD-04-00-02", "4002")))),
         twoIeds, {"W dup-mac K1 LD0 GC1", "W dup-mac K2 LD0 GC1"}},
        {"formats",
         SubNetwork("W1", ConnectedAP("K1", Gse("GC1", Address("01-0C-CD-01-00", "12345", "1000", "8")) +
                                                Smv("SV1", Address("01-0C-CD-04-00-0G", "40 1", "00", "")))),
         Ied("K1"),
         {"E mac-format K1 LD0 GC1", "E appid-format K1 LD0 GC1", "E vlan-id K1 LD0 GC1", "E vlan-priority K1 LD0 GC1",
          "E mac-format K1 LD0 SV1", "E appid-format K1 LD0 SV1", "E vlan-id K1 LD0 SV1"}},
        {"ranges: the last of each and one past it",
         SubNetwork("W1", ConnectedAP("K1", Gse("GC1", Address("01-0C-CD-01-01-FF", "3FFF")) +
                                                Smv("SV1", Address("01-0C-CD-04-02-00", "8000"))) +
                              ConnectedAP("K2", Gse("GC1", Address("01-0C-CD-01-02-00", "0002")) +
                                                    Smv("SV1", Address("01-0C-CD-04-00-00", "3FFF")))),
         twoIeds, {"W dup-appid K1 LD0 GC1", "W mac-range K1 LD0 SV1", "W appid-range K1 LD0 SV1",
                   "W mac-range K2 LD0 GC1", "W appid-range K2 LD0 SV1", "W dup-appid K2 LD0 SV1"}},
        {"MinTime above MaxTime, and equal",
         SubNetwork("W1", ConnectedAP("K1", Gse("GC1", Address("01-0C-CD-01-00-01", "0001"),
                                                "<MinTime>1000</MinTime><MaxTime>100</MaxTime>") +
                                                Smv("SV1", Address("01-0C-CD-04-00-01", "4001"))) +
                              ConnectedAP("K2", Gse("GC1", Address("01-0C-CD-01-00-02", "0002"),
                                                    "<MinTime>10</MinTime><MaxTime>10</MaxTime>") +
                                                    Smv("SV1", Address("01-0C-CD-04-00-02", "4002")))),
         twoIeds, {"E min-max K1 LD0 GC1"}},
        {"control blocks without an address, and of an IED on no subnetwork",
         SubNetwork("W1", ConnectedAP("K1", Gse("GC1", Address("01-0C-CD-01-00-01", "0001"))) + ConnectedAP("K2", "")),
         twoIeds + Ied("K3"), {"E smv-missing K1 LD0 SV1", "E gse-missing K2 LD0 GC1", "E smv-missing K2 LD0 SV1"}},
        {"addresses without a control block, and of an IED that is not there",
         SubNetwork("W1", ConnectedAP("K1", kGoodK1 + Gse("GC9", Address("01-0C-CD-01-00-09", "0009")) +
                                                Smv("GC1", Address("01-0C-CD-04-00-09", "4009"))) +
                              ConnectedAP("X9", Gse("GC1", Address("01-0C-CD-01-00-0A", "000A")))),
         Ied("K1"), {"W gse-orphan K1 LD0 GC9", "W smv-orphan K1 LD0 GC1"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(Findings(row.communication, row.ieds), row.findings);
    }
}

// The text a finding shows in the verification log, and its TSV line.
TEST(VerifyCommunication, FindingsNameTheAddressAndTheOthersThatShareItsValue)
{
    const std::string k2 = Gse("GC1", Address("01-0c-cd-01-00-02", "0001")) +
                           Smv("SV1", Address("01-0C-CD-04-00-02", "4002"));
    std::unique_ptr<xmlDoc, void (*)(xmlDoc*)> tree(
        ParseSclText(SclDocument("<Communication>" +
                                 SubNetwork("W1", ConnectedAP("K1", kGoodK1) + ConnectedAP("K2", k2)) +
                                 "</Communication>" + Ied("K1") + Ied("K2"))),
        xmlFreeDoc);
    std::vector<Finding> findings = VerifyCommunication(xmlDocGetRootElement(tree.get()));
    ASSERT_EQ(findings.size(), 2u);
    EXPECT_EQ(FindingLine(findings[1]),
              "Warning: Subnetwork W1: GSE of IED K2 LD0/GC1: APPID 0001 is also the APPID of GSE of IED K1 LD0/GC1");
    EXPECT_EQ(FindingTsv(findings[1]), "Warning\tdup-appid\tK2\tLD0\tGC1\t" + findings[1].text);
}

TEST(AddressValues, ReadAndWrittenAsTheNetworkReadsThem)
{
    EXPECT_EQ(ParseMacAddress("01:0c:CD-01-00-0a"), 0x010CCD01000Aull);
    for (const char* bad : {"01-0C-CD-01-00", "01-0C-CD-01-00-0A-", "01.0C.CD.01.00.0A", "01-0C-CD-01-00-0G", ""})
        EXPECT_FALSE(ParseMacAddress(bad)) << bad;
    EXPECT_EQ(MacAddressText(0x010CCD01000A), "01-0C-CD-01-00-0A");
    EXPECT_EQ(ParseHexDigits("3fFf", 4), 0x3FFFu);
    EXPECT_FALSE(ParseHexDigits("3FF", 4));
    EXPECT_FALSE(ParseHexDigits("+3FF", 4));
    EXPECT_EQ(HexDigitsText(0xA, 3), "00A");
    EXPECT_TRUE(IsVlanPriority("7"));
    EXPECT_FALSE(IsVlanPriority("8"));
    EXPECT_FALSE(IsVlanPriority("07"));
}

}  // namespace
