#include "lookup_fixture.h"

#include "core/xml_access.h"

#include <cstring>

namespace {

TEST_F(LookupTest, IEDsAndAccessPointsByNameButNeverATimeServer)
{
    LoadLookupProject();
    EXPECT_EQ(PathOf(FindIEDItem(view, "S")), "IED: S");
    EXPECT_EQ(FindIEDItem(view, "TS"), nullptr);
    EXPECT_EQ(FindIEDItem(view, "s"), nullptr);
    EXPECT_EQ(FindIEDItem(view, ""), nullptr);
    EXPECT_EQ(PathOf(FindAccessPointItem(view, FindIEDItem(view, "S"), "AP1")), "IED: S > AccessPoint: AP1");
    EXPECT_EQ(FindAccessPointItem(view, FindIEDItem(view, "S"), "AP3"), nullptr);
    EXPECT_EQ(FindAccessPointItem(view, nullptr, "AP1"), nullptr);
}

// N1 comes after an empty subnetwork and before N2, which lists S/AP1 again.
TEST_F(LookupTest, ConnectedAPsAreSearchedThroughEverySubnetworkFirstMatchWins)
{
    LoadLookupProject();
    EXPECT_EQ(PathOf(FindSubNetworkOfConnectedAP(view, "S", "AP1")), "Communication > SubNetwork: N1");
    EXPECT_EQ(PathOf(FindConnectedAPItem(view, "S", "AP1")), "Communication > SubNetwork: N1 > ConnectedAP: IED: S AP: AP1");
    EXPECT_EQ(PathOf(FindConnectedAPItem(view, "X", "AP1")), "Communication > SubNetwork: N2 > ConnectedAP: IED: X AP: AP1");
    EXPECT_EQ(PathOf(FindSubNetworkOfConnectedAP(view, "S", "AP2")), "Communication > SubNetwork: N2");
    EXPECT_EQ(PathOf(FindConnectedAPItem(view, "TS", "CLK")), "Communication > SubNetwork: N1 > ConnectedAP: IED: TS AP: CLK");
    EXPECT_EQ(FindConnectedAPItem(view, "S", "ap1"), nullptr);
    EXPECT_EQ(FindSubNetworkOfConnectedAP(view, "R", "AP2"), nullptr);

    TreeItem* gse = At("Communication > SubNetwork: N1 > ConnectedAP: IED: S AP: AP1");
    TreeItem* address = FindGSEAddressItem(view, gse, "LD0", "G1");
    ASSERT_NE(address, nullptr);
    EXPECT_STREQ(GetAttribute(view.Record(address->Parent())->node, "ldInst"), "LD0");
    EXPECT_EQ(address->Parent()->Row(), 1);
    EXPECT_EQ(FindGSEAddressItem(view, gse, "LD0", "G2"), nullptr);  // a GSE without Address
    EXPECT_EQ(FindGSEAddressItem(view, gse, "LD0", "GA"), nullptr);

    Load(R"(<IED name="A"/><SubNetwork name="N"><ConnectedAP iedName="A" apName="P"/></SubNetwork>)");
    EXPECT_EQ(FindConnectedAPItem(view, "A", "P"), nullptr);  // no Communication
}

TEST_F(LookupTest, LogicalDevicesAndNodesByInstAndReference)
{
    LoadLookupProject();
    TreeItem* ap = At("IED: S > AccessPoint: AP1");
    TreeItem* ld = FindLDeviceItem(view, ap, "LD0");
    EXPECT_EQ(PathOf(ld), kS1);
    EXPECT_EQ(FindLDeviceItem(view, ap, "LD1"), nullptr);
    EXPECT_EQ(PathOf(FindLNItem(view, ld, "LLN0")), kS1LLN0);
    EXPECT_EQ(PathOf(FindLNItem(view, ld, "Q0XCBR1")), std::string(kS1) + " > LN: Q0XCBR1");
    EXPECT_EQ(FindLNItem(view, ld, "XCBR1"), nullptr);
    EXPECT_EQ(FindLNItem(view, ld, "Q0XCBR"), nullptr);

    Load(R"(<IED name="A"><AccessPoint name="P"><Server><LDevice inst="L1"/></Server>
<Server><LDevice inst="L2"/></Server></AccessPoint></IED>)");
    EXPECT_NE(FindLDeviceItem(view, Find("AccessPoint: P"), "L1"), nullptr);
    EXPECT_EQ(FindLDeviceItem(view, Find("AccessPoint: P"), "L2"), nullptr);  // only the first Server
}

TEST_F(LookupTest, DatasetsControlBlocksAndTheirMembers)
{
    LoadLookupProject();
    TreeItem* ln0 = At(kS1LLN0);
    TreeItem* ds1 = FindDataSetItem(view, ln0, "DS1");
    EXPECT_EQ(PathOf(ds1), std::string(kS1LLN0) + " > DataSet: DS1");
    EXPECT_EQ(PathOf(FindGSEControlItem(view, ln0, "G2")), std::string(kS1LLN0) + " > GSEControl: G2");
    EXPECT_EQ(FindGSEControlItem(view, ln0, "RC1"), nullptr);
    EXPECT_EQ(FindDataSetItem(view, ln0, "DSA"), nullptr);

    EXPECT_EQ(CountFCDAItems(view, ds1), 6);
    EXPECT_EQ(FCDAItemAt(view, ds1, 5)->Label(), "FCDA: Q0XCBR1.ST.Loc");
    EXPECT_EQ(FCDAItemAt(view, ds1, 6), nullptr);
    EXPECT_EQ(FCDAItemAt(view, ds1, -1), nullptr);
    EXPECT_EQ(CountFCDAItems(view, nullptr), 0);

    EXPECT_EQ(FindFCDAItem(view, ds1, "LD0", "GGIO1", "Ind1", ""), FCDAItemAt(view, ds1, 0));
    EXPECT_EQ(FindFCDAItem(view, ds1, "LD0", "GGIO1", "Ind1", "q"), FCDAItemAt(view, ds1, 1));
    EXPECT_EQ(FindFCDAItem(view, ds1, "LD0", "GGIO1", "Ind1", "stVal"), FCDAItemAt(view, ds1, 2));
    EXPECT_EQ(FindFCDAItem(view, ds1, "LD0", "GGIO1", "Ind1", "mag"), nullptr);
    EXPECT_EQ(FindFCDAItem(view, ds1, "LD1", "GGIO1", "Ind1", ""), nullptr);
    EXPECT_EQ(FindFCDAItem(view, ds1, "LD0", "Q0XCBR1", "Pos.sub", "st.orCat"), FCDAItemAt(view, ds1, 4));
}

TEST_F(LookupTest, DataItemsThroughDoSdoDaAndBdaPaths)
{
    LoadLookupProject();
    TreeItem* server = At("IED: S > AccessPoint: AP1 > Server");
    auto data = [&](const char* ref, const char* doName, const char* daName) {
        return PathOf(FindDataItem(view, server, "LD0", ref, doName, daName));
    };
    const std::string xcbr = std::string(kS1) + " > LN: Q0XCBR1";
    EXPECT_EQ(data("GGIO1", "Ind1", "stVal"), std::string(kS1) + " > LN: GGIO1 > DO: Ind1 > DA: stVal");
    EXPECT_EQ(data("Q0XCBR1", "Pos", ""), xcbr + " > DO: Pos");
    EXPECT_EQ(data("Q0XCBR1", "", ""), xcbr);
    EXPECT_EQ(data("Q0XCBR1", "Pos", "origin.orCat"), xcbr + " > DO: Pos > DA: origin > BDA: orCat");
    EXPECT_EQ(data("Q0XCBR1", "Pos.sub", "st.orIdent"), xcbr + " > DO: Pos > SDO: sub > DA: st > BDA: orIdent");
    EXPECT_EQ(data("Q0XCBR1", ".Pos..sub", "st..orIdent."), xcbr + " > DO: Pos > SDO: sub > DA: st > BDA: orIdent");
    EXPECT_EQ(data("Q0XCBR1", "Pos.stVal", ""), "");  // a DA is no sub-data object
    EXPECT_EQ(data("Q0XCBR1", "Pos", "sub"), "");      // nor an SDO an attribute
    EXPECT_EQ(data("Q0XCBR1", "Loc", ""), "");
    EXPECT_EQ(data("Q0XCBR1", "pos", ""), "");
    EXPECT_EQ(data("XCBR1", "Pos", ""), "");
    EXPECT_EQ(FindDataItem(view, server, "LD1", "GGIO1", "Ind1", ""), nullptr);
    EXPECT_EQ(FindDataItem(view, nullptr, "LD0", "GGIO1", "Ind1", ""), nullptr);
}

// R and X subscribe to S, whose access point AP2 (on N2) comes before AP1 (on N1).
TEST_F(LookupTest, ExtRefSourcesOnlyOnTheReceivingSubnetwork)
{
    LoadLookupProject();
    auto source = [&](const std::string& extRef) { return PathOf(FindExtRefSourceItem(view, At(extRef))); };
    const std::string r = std::string(kRInputs) + " > ExtRef: ";
    EXPECT_EQ(source(r + "SLD0/GGIO1.Ind1.stVal"), std::string(kS1) + " > LN: GGIO1 > DO: Ind1 > DA: stVal");
    EXPECT_EQ(source(r + "SLD0/Q0XCBR1.Pos.origin.orCat"),
              std::string(kS1) + " > LN: Q0XCBR1 > DO: Pos > DA: origin > BDA: orCat");
    EXPECT_EQ(source(r + "XLD0/GGIO1.Ind1.stVal"), "");  // X is connected only to N2
    EXPECT_EQ(source(r + "TSLD0/GGIO1.Ind1"), "");      // a time server is never a source
    EXPECT_EQ(source("IED: X > AccessPoint: AP1 > Server > LD: LD0 > LN: LLN0 > Inputs > ExtRef: SLD0/GGIO1.Ind1.stVal"),
              "IED: S > AccessPoint: AP2 > Server > LD: LD0 > LN: GGIO1 > DO: Ind1 > DA: stVal");
    EXPECT_EQ(FindExtRefSourceItem(view, At(kRInputs)), nullptr);  // not an ExtRef
    EXPECT_EQ(FindExtRefSourceItem(view, nullptr), nullptr);
}

TEST_F(LookupTest, SelectedNamesComeFromTheNearestItemOfTheKind)
{
    LoadLookupProject();
    view.Select(nullptr);
    EXPECT_EQ(SelectedIEDName(view), "");
    EXPECT_EQ(SelectedSubNetworkName(view), "");
    view.Select(At(std::string(kS1) + " > LN: GGIO1 > DO: Ind1 > DA: q"));
    EXPECT_EQ(SelectedIEDName(view), "S");
    EXPECT_EQ(SelectedSubNetworkName(view), "");
    view.Select(At("Communication > SubNetwork: N2 > ConnectedAP: IED: S AP: AP2 > GSE > Address"));
    EXPECT_EQ(SelectedIEDName(view), "");
    EXPECT_EQ(SelectedSubNetworkName(view), "N2");
    view.Select(At("IED: TS > AccessPoint: CLK"));
    EXPECT_EQ(SelectedIEDName(view), "");
}

TEST_F(LookupTest, RenamingADatasetMovesOnlyTheReportControlsOfItsNode)
{
    LoadLookupProject();
    RenameDataSetReferences(view, At(kS1LLN0), "DS1", "Renamed");
    auto datSet = [&](const std::string& control) {
        return std::string(GetAttribute(view.Record(At(std::string(kS1LLN0) + " > " + control))->node, "datSet"));
    };
    EXPECT_EQ(datSet("ReportControl: RC1"), "Renamed");
    EXPECT_EQ(datSet("GSEControl: G1"), "DS1");
    EXPECT_EQ(datSet("ReportControl: RC2"), "DS2");
}

TEST_F(LookupTest, RemovingTheConnectedAPsOfAnIEDTakesElementsAndItems)
{
    LoadLookupProject();
    view.Select(At("Communication > SubNetwork: N2 > ConnectedAP: IED: S AP: AP2 > GSE > Address"));
    size_t records = doc.ItemRecordCount();
    RemoveConnectedAPsOfIED(view, "S");
    EXPECT_EQ(doc.ItemRecordCount(), records - 10);
    EXPECT_EQ(view.Selected(), nullptr);
    EXPECT_EQ(ChildLabels(At("Communication > SubNetwork: N1")),
              (Labels{"ConnectedAP: IED: R AP: AP1", "ConnectedAP: IED: TS AP: CLK"}));
    EXPECT_EQ(ChildLabels(At("Communication > SubNetwork: N2")), (Labels{"ConnectedAP: IED: X AP: AP1"}));
    EXPECT_EQ(FindConnectedAPItem(view, "S", "AP1"), nullptr);
    int left = 0;
    for (xmlNode* network : ElementChildren(FindChildElement(doc.Root(), "Communication")))
        for (xmlNode* ap : ElementChildren(network)) left += std::strcmp(GetAttribute(ap, "iedName"), "S") == 0;
    EXPECT_EQ(left, 0);
    EXPECT_EQ(CheckedItemCount(), doc.ItemRecordCount());
}

}  // namespace
