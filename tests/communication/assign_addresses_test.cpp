// Assign Addresses gives free values where they are wrong or repeated and makes the missing
// addresses; what was right stays, the step is undone whole and the tree follows.
#include "communication/assign_addresses.h"
#include "communication/verify_communication.h"
#include "communication_fixture.h"
#include "document/varnholt_doc.h"
#include "document/xml_access.h"
#include "project_tree/tree_outline.h"
#include "project_tree/varnholt_view.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// Within each ConnectedAP: the Address, then the GSEs, then the SMVs.
bool InSchemaOrder(const xmlNode* root)
{
    const auto rank = [](const xmlNode* child) {
        const std::string_view name = ElementName(child);
        return name == "Address" ? 1 : name == "GSE" ? 2 : name == "SMV" ? 3 : name == "PhysConn" ? 4 : 0;
    };
    for (const xmlNode* communication : ElementChildren(root))
        for (const xmlNode* subNetwork : ElementChildren(communication))
            for (const xmlNode* connectedAP : ElementChildren(subNetwork)) {
                int last = 0;
                for (const xmlNode* child : ElementChildren(connectedAP)) {
                    if (rank(child) < last) return false;
                    last = rank(child);
                }
            }
    return true;
}

std::string Outline(const CVarnholtView& view)
{
    std::ostringstream text;
    WriteTreeOutline(view, text);
    return text.str();
}

TEST(AssignAddresses, FreeValuesWhereTheyAreWrongOrRepeatedAndAddressesWhereMissing)
{
    const std::string twoIeds = Ied("K1") + Ied("K2");
    const struct {
        const char* what;
        std::string communication;
        std::vector<std::string> log;
    } rows[] = {
        {"every value right: nothing changes",
         SubNetwork("W1", ConnectedAP("K1", kGoodK1) + ConnectedAP("K2", kGoodK2)), {}},
        {"a repeated APPID and MAC: the first keeps them",
         SubNetwork("W1", ConnectedAP("K1", kGoodK1) +
                              ConnectedAP("K2", Gse("GC1", Address("01-0c-cd-01-00-01", "0001")) +
                                                    Smv("SV1", Address("01-0C-CD-04-00-02", "4002")))),
         {"Information: Subnetwork W1: GSE of IED K2 LD0/GC1: APPID 0001 -> 0002",
          "Information: Subnetwork W1: GSE of IED K2 LD0/GC1: MAC-Address 01-0c-cd-01-00-01 -> 01-0C-CD-01-00-00"}},
        {"malformed, out of range and missing values",
         SubNetwork("W1", ConnectedAP("K1", Gse("GC1", "<Address><P type=\"APPID\">12</P></Address>") +
                                                Smv("SV1", Address("01-0C-CD-01-00-07", "0007"))) +
                              ConnectedAP("K2", kGoodK2)),
         {"Information: Subnetwork W1: GSE of IED K1 LD0/GC1: APPID 12 -> 0001",
          "Information: Subnetwork W1: SMV of IED K1 LD0/SV1: APPID 0007 -> 4000",
          "Information: Subnetwork W1: GSE of IED K1 LD0/GC1: MAC-Address (none) -> 01-0C-CD-01-00-00",
          "Information: Subnetwork W1: SMV of IED K1 LD0/SV1: MAC-Address 01-0C-CD-01-00-07 -> 01-0C-CD-04-00-00"}},
        {"a GSE made before the SMV that is there",
         SubNetwork("W1", ConnectedAP("K1", Smv("SV1", Address("01-0C-CD-04-00-01", "4001")) +
                                                "<PhysConn type=\"Connection\"/>") +
                              ConnectedAP("K2", kGoodK2)),
         {"Information: Subnetwork W1: GSE of IED K1 LD0/GC1 made with MAC-Address 01-0C-CD-01-00-00 and APPID 0001"}},
        {"control blocks without an address, one on each subnetwork",
         SubNetwork("W1", ConnectedAP("K1", Gse("GC1", Address("01-0C-CD-01-00-00", "0001")))) +
             SubNetwork("W2", ConnectedAP("K2", "<Address><P type=\"IP\">10.0.0.2</P></Address>")),
         {"Information: Subnetwork W1: SMV of IED K1 LD0/SV1 made with MAC-Address 01-0C-CD-04-00-00 and APPID 4000",
          "Information: Subnetwork W2: GSE of IED K2 LD0/GC1 made with MAC-Address 01-0C-CD-01-00-00 and APPID 0001",
          "Information: Subnetwork W2: SMV of IED K2 LD0/SV1 made with MAC-Address 01-0C-CD-04-00-00 and APPID 4000"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        CVarnholtDoc doc;
        CVarnholtView view(doc);
        LoadDocText(doc, SclDocument("<Communication>" + row.communication + "</Communication>" + twoIeds));
        view.OnInitialUpdate();
        const std::string original = XmlText(doc.XmlTree());
        const std::string originalOutline = Outline(view);

        AssignResult result = AssignAddresses(view);
        EXPECT_EQ(result.log, row.log);
        EXPECT_TRUE(InSchemaOrder(doc.Root()));
        EXPECT_TRUE(result.complete);
        EXPECT_EQ(VerifyCommunication(doc.Root()).size(), 0u);
        const std::string assigned = XmlText(doc.XmlTree());
        const std::string outline = Outline(view);
        CVarnholtView fresh(doc);
        fresh.OnInitialUpdate();
        EXPECT_EQ(outline, Outline(fresh));
        EXPECT_EQ(doc.IsModified(), !row.log.empty());
        if (row.log.empty()) {
            EXPECT_FALSE(doc.Changes().CanUndo());
            continue;
        }
        EXPECT_EQ(doc.Changes().UndoName(), "Assign Addresses");
        ASSERT_TRUE(doc.Undo());
        EXPECT_EQ(XmlText(doc.XmlTree()), original);
        EXPECT_EQ(Outline(view), originalOutline);
        ASSERT_TRUE(doc.Redo());
        EXPECT_EQ(XmlText(doc.XmlTree()), assigned);
        EXPECT_EQ(Outline(view), outline);
    }
}

}  // namespace
