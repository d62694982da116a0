#include "tree_fixture.h"

namespace {

const char* const kNewIed =
    R"(<IED name="NEW"><AccessPoint name="A"><Server><LDevice inst="L"><LN0 lnClass="LLN0" inst="">
<Inputs><ExtRef intAddr="x"/></Inputs></LN0></LDevice></Server></AccessPoint></IED>)";

}  // namespace

TEST_F(TreeTest, InsertIEDItemCountsIedItemsButNotTimeServers)
{
    LoadFixture();
    TreeItem* first = view.InsertIEDItem(AppendXml(doc.Root(), kNewIed), 0);
    EXPECT_EQ(view.Selected(), first);
    view.InsertIEDItem(AppendXml(doc.Root(), kNewIed), 2);
    view.InsertIEDItem(AppendXml(doc.Root(), R"(<IED name="T2"><AccessPoint clock="true"><ExtRef/></AccessPoint></IED>)"), -1);
    EXPECT_EQ(ChildLabels(nullptr), (Labels{"Substation: S1", "Communication", "IED: NEW [I]", "IED: P1 [I] [G]",
                                            "IED: NEW [I]", "IED: P2", "IED: T2 [I]", "IED: TS"}));
    EXPECT_EQ(CheckedItemCount(), doc.ItemRecordCount());

    // Without IED and Communication the IED follows the substations.
    Load(R"(<Substation name="S"/>)");
    EXPECT_NE(view.InsertIEDItem(AppendXml(doc.Root(), kNewIed), -1), nullptr);
    EXPECT_EQ(ChildLabels(nullptr), (Labels{"Substation: S", "IED: NEW [I]"}));
}

TEST_F(TreeTest, InsertConnectedAPAndSubNetworkItems)
{
    Load(R"(<Communication><SubNetwork name="N"><ConnectedAP iedName="A"/><BitRate/><ConnectedAP iedName="B"/>
</SubNetwork><Other/></Communication>)");
    const char* ap = R"(<ConnectedAP iedName="X"><GSE><Address/></GSE></ConnectedAP>)";
    xmlNode* network = NodeOf("SubNetwork: N");
    EXPECT_EQ(view.InsertConnectedAPItem(AppendXml(network, ap), "N", 1)->Row(), 1);
    EXPECT_EQ(view.InsertConnectedAPItem(AppendXml(network, ap), "N", -1)->Row(), 4);
    EXPECT_EQ(view.InsertConnectedAPItem(AppendXml(network, ap), "N", 0)->Row(), 5);
    EXPECT_EQ(view.InsertConnectedAPItem(AppendXml(network, ap), "n", 1)->Parent(), nullptr);
    EXPECT_EQ(ChildLabels(Find("SubNetwork: N")),
              (Labels{"ConnectedAP: IED: A AP: ", "ConnectedAP: IED: X AP:  [G]", "BitRate", "ConnectedAP: IED: B AP: ",
                      "ConnectedAP: IED: X AP:  [G]", "ConnectedAP: IED: X AP:  [G]"}));
    view.InsertSubNetworkItem(AppendXml(doc.Root(), R"(<SubNetwork name="M"><BitRate/></SubNetwork>)"));
    EXPECT_EQ(ChildLabels(view.FirstRootItem()), (Labels{"SubNetwork: N", "SubNetwork: M", "Other"}));
    EXPECT_EQ(view.Selected(), view.FirstRootItem());
    EXPECT_EQ(CheckedItemCount(), doc.ItemRecordCount());
}

// As Update IED does: the new IED is added and the old one freed before the swap.
TEST_F(TreeTest, ReplaceIEDItemSwapsTheItemsOfAFreedElement)
{
    LoadFixture();
    xmlNode* old = NodeOf("IED: P2");
    xmlNode* added = AppendXml(doc.Root(), kNewIed);
    xmlUnlinkNode(old);
    xmlFreeNode(old);
    TreeItem* item = view.ReplaceIEDItem(added, old);
    EXPECT_EQ(view.Selected(), item);
    EXPECT_EQ(ChildLabels(nullptr),
              (Labels{"Substation: S1", "Communication", "IED: P1 [I] [G]", "IED: NEW [I]", "IED: TS"}));
    EXPECT_EQ(CheckedItemCount(), doc.ItemRecordCount());
    // A time server or an access point in another subnetwork is not replaced.
    EXPECT_EQ(view.ReplaceIEDItem(AppendXml(doc.Root(), kNewIed), NodeOf("IED: TS")), nullptr);
    EXPECT_EQ(view.ReplaceConnectedAPItem("N2", added, NodeOf("ConnectedAP: IED: P2 AP: AP1")), nullptr);
}

TEST_F(TreeTest, ReplaceConnectedAPItemClearsASelectionInTheOldItem)
{
    LoadFixture();
    view.Select(Find("GSE")->FirstChild());
    xmlNode* old = NodeOf("ConnectedAP: IED: P1 AP: AP1 [G]");
    TreeItem* item = view.ReplaceConnectedAPItem("N1", AppendXml(old->parent, R"(<ConnectedAP iedName="P1" apName="B"/>)"), old);
    EXPECT_EQ(item->Row(), 0);
    EXPECT_EQ(item->Label(), "ConnectedAP: IED: P1 AP: B");
    EXPECT_EQ(view.Selected(), nullptr);
    EXPECT_EQ(CheckedItemCount(), doc.ItemRecordCount());
}

TEST_F(TreeTest, ReleaseThenDeleteRemovesASubtree)
{
    LoadFixture();
    TreeItem* ln = Find("LN: LLN0 [I] [G] [R] [D]");
    TreeItem* parent = ln->Parent();
    view.ReleaseItemRecords(ln);
    EXPECT_EQ(view.Record(ln->FirstChild()->FirstChild()), nullptr);
    EXPECT_NE(view.Record(ln->NextSibling()), nullptr);
    view.DeleteItem(ln);
    EXPECT_EQ(ChildLabels(parent), Labels{"LN: XCBR1"});
    EXPECT_EQ(CheckedItemCount(), doc.ItemRecordCount());
}
