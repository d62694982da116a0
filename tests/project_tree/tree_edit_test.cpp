#include "tree_fixture.h"

namespace {

const char* const kNewIed =
    R"(<IED name="NEW"><AccessPoint name="A"><Server><LDevice inst="L"><LN0 lnClass="LLN0" inst="">
<Inputs><ExtRef intAddr="x"/></Inputs></LN0></LDevice></Server></AccessPoint></IED>)";

// An IED's position counts IED items, not time servers; without IED and Communication
// the IED follows the substations. A ConnectedAP's position counts ConnectedAP items (0:
// at the end); a subnetwork that is not there takes the item to the root level.
TEST_F(TreeTest, InsertedItemsTakeTheirPlace)
{
    LoadFixture();
    TreeItem* first = view.InsertIEDItem(AppendXml(doc.Root(), kNewIed), 0);
    EXPECT_EQ(view.Selected(), first);
    view.InsertIEDItem(AppendXml(doc.Root(), kNewIed), 2);
    view.InsertIEDItem(AppendXml(doc.Root(), R"(<IED name="T2"><AccessPoint clock="true"><ExtRef/></AccessPoint></IED>)"), -1);
    EXPECT_EQ(ChildLabels(nullptr), (Labels{"Substation: S1", "Communication", "IED: NEW [I]", "IED: P1 [I] [G]",
                                            "IED: NEW [I]", "IED: P2", "IED: T2 [I]", "IED: TS"}));
    EXPECT_EQ(CheckedItemCount(), doc.ItemRecordCount());
    EXPECT_FALSE(FindTreeCut(view)) << "the markers of an inserted IED are no cut";
    Load(R"(<Substation name="S"/>)");
    view.InsertIEDItem(AppendXml(doc.Root(), kNewIed), -1);
    EXPECT_EQ(ChildLabels(nullptr), (Labels{"Substation: S", "IED: NEW [I]"}));

    Load(R"(<Communication><SubNetwork name="N"><ConnectedAP iedName="A"/><BitRate/><ConnectedAP iedName="B"/>
</SubNetwork><Other/></Communication>)");
    const char* ap = R"(<ConnectedAP iedName="X"><GSE><Address/></GSE></ConnectedAP>)";
    xmlNode* network = NodeOf("SubNetwork: N");
    for (auto [position, row] : {std::pair{1, 1}, {-1, 4}, {0, 5}})
        EXPECT_EQ(view.InsertConnectedAPItem(AppendXml(network, ap), "N", position)->Row(), row) << position;
    EXPECT_EQ(view.InsertConnectedAPItem(AppendXml(network, ap), "n", 1)->Parent(), nullptr);
    EXPECT_EQ(ChildLabels(Find("SubNetwork: N")),
              (Labels{"ConnectedAP: IED: A AP: ", "ConnectedAP: IED: X AP:  [G]", "BitRate", "ConnectedAP: IED: B AP: ",
                      "ConnectedAP: IED: X AP:  [G]", "ConnectedAP: IED: X AP:  [G]"}));
    view.InsertSubNetworkItem(AppendXml(doc.Root(), R"(<SubNetwork name="M"><BitRate/></SubNetwork>)"));
    EXPECT_EQ(ChildLabels(view.FirstRootItem()), (Labels{"SubNetwork: N", "SubNetwork: M", "Other"}));
    EXPECT_EQ(view.Selected(), view.FirstRootItem());
    EXPECT_EQ(CheckedItemCount(), doc.ItemRecordCount());
}

// As Update IED does: the new IED is added and the old one freed before the swap. A
// time server, or an access point in another subnetwork, is not replaced; a selection
// inside a replaced ConnectedAP is cleared.
TEST_F(TreeTest, ReplaceSwapsTheItemsOfAFreedElement)
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
    EXPECT_EQ(view.ReplaceIEDItem(AppendXml(doc.Root(), kNewIed), NodeOf("IED: TS")), nullptr);
    EXPECT_EQ(view.ReplaceConnectedAPItem("N2", added, NodeOf("ConnectedAP: IED: P2 AP: AP1")), nullptr);

    view.Select(Find("GSE")->FirstChild());
    old = NodeOf("ConnectedAP: IED: P1 AP: AP1 [G]");
    item = view.ReplaceConnectedAPItem("N1", AppendXml(old->parent, R"(<ConnectedAP iedName="P1" apName="B"/>)"), old);
    EXPECT_EQ(item->Row(), 0);
    EXPECT_EQ(item->Label(), "ConnectedAP: IED: P1 AP: B");
    EXPECT_EQ(view.Selected(), nullptr);
    EXPECT_EQ(CheckedItemCount(), doc.ItemRecordCount());
}

// Checks each notification against the items the observer sees at that moment and
// writes one character per event: ( ) reset, +N insert of an item that arrives with
// N children, - remove, L relabel, S select, s clear.
struct Recorder : TreeObserver {
    const CVarnholtView* view = nullptr;
    std::string events;
    const TreeItem* parent = nullptr;
    int row = 0, count = 0;

    int Count(const TreeItem* p) const { return p ? p->ChildCount() : view->RootItemCount(); }
    void Begin(char event, TreeItem* p, int r)
    {
        events += event;
        parent = p, row = r, count = Count(p);
        EXPECT_LE(r, count - (event == '-'));
    }
    void OnBeginReset() override { events += '('; }
    void OnEndReset() override { events += ')'; }
    void OnBeginInsert(TreeItem* p, int r) override { Begin('+', p, r); }
    void OnEndInsert(TreeItem* item) override
    {
        EXPECT_EQ(item->Parent(), parent);
        EXPECT_EQ(item->Row(), row);
        EXPECT_EQ(Count(parent), count + 1);
        events += std::to_string(item->ChildCount());
    }
    void OnBeginRemove(TreeItem* p, int r) override { Begin('-', p, r); }
    void OnEndRemove(TreeItem* p, int r) override
    {
        EXPECT_EQ(p, parent);
        EXPECT_EQ(r, row);
        EXPECT_EQ(Count(p), count - 1);
    }
    void OnRelabelled(TreeItem*) override { events += 'L'; }
    void OnSelectionChanged(TreeItem* item, TreeItemRecord* record, const TreeCaption& caption) override
    {
        events += item ? 'S' : 's';
        EXPECT_EQ(record, view->Record(item));
        EXPECT_EQ(caption, view->ComputeCaption(item));
    }
};

// A whole subtree arrives in one step, built before it is attached; an observer added
// twice is told once, and nothing after it leaves.
TEST_F(TreeTest, ObserversHearEachEditAsOneConsistentStep)
{
    Recorder recorder, second;
    recorder.view = second.view = &view;
    for (Recorder* observer : {&recorder, &second, &second}) view.AddObserver(observer);
    auto take = [&recorder] { return std::exchange(recorder.events, {}); };
    LoadFixture();
    EXPECT_EQ(take(), "()S");
    view.RemoveObserver(&second);
    view.InsertIEDItem(AppendXml(doc.Root(), R"(<IED name="N"><AccessPoint/><AccessPoint/></IED>)"), -1);
    EXPECT_EQ(take(), "+2S");
    view.ReplaceIEDItem(AppendXml(doc.Root(), R"(<IED name="M"/>)"), NodeOf("IED: P2"));
    EXPECT_EQ(take(), "+0S-");
    TreeItem* ln = Find("LN: XCBR1");
    view.Select(ln->FirstChild());
    take();
    view.ReleaseItemRecords(ln);
    view.DeleteItem(ln);
    EXPECT_EQ(take(), "s-");
    view.Select(Find("IED: M"));
    take();
    view.BuildTree();
    EXPECT_EQ(take(), "s()S");
    EXPECT_EQ(second.events, "()S");

    // Building below a live item announces each addition.
    ln = Find("LN: XCBR1");
    xmlNode* element = view.Record(ln)->node;
    xmlNode* dataset = AppendXml(element, R"(<DataSet name="New"><FCDA doName="Pos" fc="ST"/></DataSet>)");
    AppendXml(element, R"(<Private/>)");
    EXPECT_EQ(view.BuildChildItems(dataset, ln), kMarkerDatasets);
    view.MergeInstanceValues(AppendXml(element, R"(<DOI name="Pos"><DAI name="stVal"><Val>on</Val></DAI></DOI>)"), ln);
    view.SetLabel(ln, "LN: XCBR1 [D]");
    view.AddTypeItems(doc.FindDAType("OriginT")->children, Find("DO: Loc"));
    EXPECT_EQ(take(), "+1+0L+0+0+1");
    EXPECT_EQ(CheckedItemCount(), doc.ItemRecordCount());
    view.RemoveObserver(&recorder);
}

}  // namespace
