#include "tree_fixture.h"

#include "core/xml_access.h"

namespace {

const char* const kNewIed = R"(<IED name="NEW"><AccessPoint name="AP1"><Server><LDevice inst="L">
<LN0 lnClass="LLN0" inst=""><Inputs><ExtRef intAddr="x"/></Inputs></LN0></LDevice></Server></AccessPoint></IED>)";

std::vector<std::string> RootLabels(const CVarnholtView& view)
{
    std::vector<std::string> labels;
    for (TreeItem* item = view.FirstRootItem(); item; item = item->NextSibling()) labels.push_back(item->Label());
    return labels;
}

}  // namespace

TEST_F(TreeTest, InsertIEDItemCountsIedItemsAndSkipsTimeServers)
{
    LoadFixture("tree_project.scd");
    size_t records = doc.ItemRecordCount();
    TreeItem* first = view.InsertIEDItem(AppendXml(doc.Root(), kNewIed), 0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Row(), 2);  // directly after Communication
    EXPECT_EQ(first->Label(), "IED: NEW [I]");
    EXPECT_EQ(view.Selected(), first);
    EXPECT_EQ(doc.ItemRecordCount(), records + 7);

    TreeItem* afterP1 = view.InsertIEDItem(AppendXml(doc.Root(), kNewIed), 2);
    EXPECT_EQ(afterP1->Row(), 4);
    TreeItem* last = view.InsertIEDItem(AppendXml(doc.Root(), kNewIed), -1);
    EXPECT_EQ(RootLabels(view), (std::vector<std::string>{"Substation: S1", "Communication", "IED: NEW [I]",
                                                          "IED: P1 [I] [G]", "IED: NEW [I]", "IED: P2",
                                                          "IED: NEW [I]", "IED: TS"}));
    EXPECT_EQ(last->Row(), 6);
    EXPECT_TRUE(RowsConsistent());
    EXPECT_EQ(doc.ItemRecordCount(), ItemCount());
}

TEST_F(TreeTest, InsertedTimeServerShowsIedMarkers)
{
    LoadFixture("tree_project.scd");
    TreeItem* item = view.InsertIEDItem(
        AppendXml(doc.Root(), R"(<IED name="T2"><AccessPoint clock="true"><Inputs><ExtRef/></Inputs></AccessPoint></IED>)"), -1);
    EXPECT_EQ(item->Label(), "IED: T2 [I]");
    EXPECT_EQ(view.Record(item)->kind, kKindTimeServer);
    EXPECT_EQ(view.Record(item)->markers, kMarkerInputs);
}

TEST_F(TreeTest, InsertIEDItemNeedsCommunicationOrAnIed)
{
    Load(R"(<Substation name="S"/>)");
    EXPECT_EQ(view.InsertIEDItem(AppendXml(doc.Root(), kNewIed), -1), nullptr);
    EXPECT_EQ(RootLabels(view), std::vector<std::string>{"Substation: S"});
    EXPECT_EQ(doc.ItemRecordCount(), 1u);
}

TEST_F(TreeTest, InsertConnectedAPItemPlacesAmongTheSubnetworksAccessPoints)
{
    Load(R"(<Communication><SubNetwork name="N"><ConnectedAP iedName="A" apName="P"/><BitRate/>
<ConnectedAP iedName="B" apName="P"/><Text/></SubNetwork><SubNetwork name="n"/></Communication>)");
    const char* ap = R"(<ConnectedAP iedName="X" apName="P"><GSE><Address/></GSE></ConnectedAP>)";
    xmlNode* network = view.Record(Find("SubNetwork: N"))->node;
    EXPECT_EQ(view.InsertConnectedAPItem(AppendXml(network, ap), "N", 1)->Row(), 1);
    EXPECT_EQ(view.InsertConnectedAPItem(AppendXml(network, ap), "N", -1)->Row(), 4);
    EXPECT_EQ(view.InsertConnectedAPItem(AppendXml(network, ap), "N", 0)->Row(), 6);
    TreeItem* lowerCase = view.InsertConnectedAPItem(AppendXml(network, ap), "n", 7);
    EXPECT_EQ(lowerCase->Parent(), Find("SubNetwork: n"));
    TreeItem* unknown = view.InsertConnectedAPItem(AppendXml(network, ap), "missing", -1);
    EXPECT_EQ(unknown->Parent(), nullptr);
    EXPECT_EQ(unknown->Row(), 1);
    EXPECT_EQ(unknown->Label(), "ConnectedAP: IED: X AP: P [G]");
    EXPECT_EQ(ChildLabels(Find("SubNetwork: N")),
              (std::vector<std::string>{"ConnectedAP: IED: A AP: P", "ConnectedAP: IED: X AP: P [G]", "BitRate",
                                        "ConnectedAP: IED: B AP: P", "ConnectedAP: IED: X AP: P [G]", "Text",
                                        "ConnectedAP: IED: X AP: P [G]"}));
    EXPECT_EQ(view.Selected(), view.FirstRootItem());
    EXPECT_TRUE(RowsConsistent());
}

TEST_F(TreeTest, InsertSubNetworkItemGoesAfterTheLastSubnetwork)
{
    Load(R"(<Communication><SubNetwork name="A"/><Other/></Communication>)");
    TreeItem* item = view.InsertSubNetworkItem(AppendXml(doc.Root(), R"(<SubNetwork name="B"><BitRate/></SubNetwork>)"));
    EXPECT_EQ(ChildLabels(view.FirstRootItem()), (std::vector<std::string>{"SubNetwork: A", "SubNetwork: B", "Other"}));
    EXPECT_EQ(ChildLabels(item), std::vector<std::string>{"BitRate"});

    Load(R"(<Communication><Other/></Communication>)");
    view.InsertSubNetworkItem(AppendXml(doc.Root(), R"(<SubNetwork name="B"/>)"));
    EXPECT_EQ(ChildLabels(view.FirstRootItem()), (std::vector<std::string>{"Other", "SubNetwork: B"}));

    Load(R"(<Substation name="S"/>)");
    view.InsertSubNetworkItem(AppendXml(doc.Root(), R"(<SubNetwork name="B"/>)"));
    EXPECT_EQ(RootLabels(view), (std::vector<std::string>{"Substation: S", "SubNetwork: B"}));
}

// As an update does: the new IED is added, the old one freed, then the items swapped.
TEST_F(TreeTest, ReplaceIEDItemSwapsTheItemsOfAFreedElement)
{
    LoadFixture("tree_project.scd");
    TreeItem* oldItem = Find("IED: P2");
    xmlNode* oldIed = view.Record(oldItem)->node;
    size_t records = doc.ItemRecordCount();
    size_t oldItems = 8;
    xmlNode* newIed = AppendXml(doc.Root(), kNewIed);
    xmlUnlinkNode(oldIed);
    xmlFreeNode(oldIed);

    TreeItem* item = view.ReplaceIEDItem(newIed, oldIed);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(RootLabels(view), (std::vector<std::string>{"Substation: S1", "Communication", "IED: P1 [I] [G]",
                                                          "IED: NEW [I]", "IED: TS"}));
    EXPECT_EQ(view.Selected(), item);
    EXPECT_EQ(doc.ItemRecordCount(), records - oldItems + 7);
    EXPECT_EQ(doc.ItemRecordCount(), ItemCount());
    EXPECT_TRUE(RowsConsistent());
}

TEST_F(TreeTest, ReplaceFindsOnlyIedAndAccessPointItemsOfTheElement)
{
    LoadFixture("tree_project.scd");
    xmlNode* timeServer = view.Record(Find("IED: TS"))->node;
    EXPECT_EQ(view.ReplaceIEDItem(AppendXml(doc.Root(), kNewIed), timeServer), nullptr);
    xmlNode* ap = view.Record(Find("ConnectedAP: IED: P2 AP: AP1"))->node;
    EXPECT_EQ(view.ReplaceConnectedAPItem("N2", AppendXml(doc.Root(), "<ConnectedAP/>"), ap), nullptr);
    EXPECT_EQ(Outline().find("NEW"), std::string::npos);
    EXPECT_EQ(Outline().find("ConnectedAP: IED:  AP: "), std::string::npos);
}

TEST_F(TreeTest, ReplaceConnectedAPItemClearsASelectionInTheOldItem)
{
    LoadFixture("tree_project.scd");
    TreeItem* oldItem = Find("ConnectedAP: IED: P1 AP: AP1 [G]");
    view.Select(oldItem->Child(1)->Child(0));
    xmlNode* oldAP = view.Record(oldItem)->node;
    xmlNode* network = oldAP->parent;
    TreeItem* item = view.ReplaceConnectedAPItem(
        "N1", AppendXml(network, R"(<ConnectedAP iedName="P1" apName="AP9"/>)"), oldAP);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->Row(), 0);
    EXPECT_EQ(item->Label(), "ConnectedAP: IED: P1 AP: AP9");
    EXPECT_EQ(view.Selected(), nullptr);
    EXPECT_EQ(view.Caption(), TreeCaption{});
    EXPECT_EQ(doc.ItemRecordCount(), ItemCount());
}

TEST_F(TreeTest, ReleaseThenDeleteRemovesASubtree)
{
    LoadFixture("tree_project.scd");
    TreeItem* ln = Find("LN: LLN0 [I] [G] [R] [D]");
    size_t records = doc.ItemRecordCount();
    view.ReleaseItemRecords(ln);
    EXPECT_EQ(doc.ItemRecordCount(), records - 14);
    EXPECT_EQ(view.Record(ln), nullptr);
    EXPECT_EQ(view.Record(ln->FirstChild()->FirstChild()), nullptr);
    EXPECT_NE(view.Record(ln->NextSibling()), nullptr);
    EXPECT_EQ(ln->Image(), kKindLN);

    TreeItem* parent = ln->Parent();
    view.DeleteItem(ln);
    EXPECT_EQ(ChildLabels(parent), std::vector<std::string>{"LN: XCBR1"});
    EXPECT_EQ(parent->FirstChild()->Row(), 0);
    EXPECT_EQ(doc.ItemRecordCount(), ItemCount());
}

TEST_F(TreeTest, PreOrderWalksDownThenAcrossThenUp)
{
    Load(R"(<A name="1"><B name="2"><C name="3"/></B><D name="4"/></A><E name="5"/>)");
    std::vector<std::string> order;
    for (TreeItem* item = view.FirstRootItem(); item; item = NextItemInPreOrder(item)) order.push_back(item->Label());
    EXPECT_EQ(order, (std::vector<std::string>{"A: 1", "B: 2", "C: 3", "D: 4", "E: 5"}));
    EXPECT_EQ(NextItemInPreOrder(Find("C: 3")), Find("D: 4"));
    EXPECT_EQ(NextItemInPreOrder(Find("D: 4")), Find("E: 5"));
    EXPECT_EQ(NextItemInPreOrder(Find("E: 5")), nullptr);
    EXPECT_EQ(NextItemInPreOrder(nullptr), nullptr);
}
