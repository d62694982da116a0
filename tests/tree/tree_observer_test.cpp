#include "tree_fixture.h"

namespace {

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

class TreeObserverTest : public TreeTest {
protected:
    Recorder recorder, second;
    void SetUp() override
    {
        recorder.view = second.view = &view;
        view.AddObserver(&recorder);
    }
    std::string Take() { return std::exchange(recorder.events, {}); }
};

// A whole subtree arrives in one step, built before it is attached; an observer added
// twice is told once, and nothing after it leaves.
TEST_F(TreeObserverTest, BuildIsOneResetAndEditsAreSingleSteps)
{
    view.AddObserver(&second);
    view.AddObserver(&second);
    LoadFixture();
    EXPECT_EQ(Take(), "()S");
    EXPECT_EQ(second.events, "()S");
    view.RemoveObserver(&second);
    view.InsertIEDItem(AppendXml(doc.Root(), R"(<IED name="N"><AccessPoint/><AccessPoint/></IED>)"), -1);
    EXPECT_EQ(Take(), "+2S");
    view.ReplaceIEDItem(AppendXml(doc.Root(), R"(<IED name="M"/>)"), NodeOf("IED: P2"));
    EXPECT_EQ(Take(), "+0S-");
    TreeItem* ln = Find("LN: XCBR1");
    view.Select(ln->FirstChild());
    Take();
    view.ReleaseItemRecords(ln);
    view.DeleteItem(ln);
    EXPECT_EQ(Take(), "s-");
    EXPECT_EQ(CheckedItemCount(), doc.ItemRecordCount());
    view.Select(Find("IED: M"));
    Take();
    view.BuildTree();
    EXPECT_EQ(Take(), "s()S");
    EXPECT_EQ(second.events, "()S");
}

TEST_F(TreeObserverTest, BuildingBelowALiveItemAnnouncesEachAddition)
{
    LoadFixture();
    TreeItem* ln = Find("LN: XCBR1");
    xmlNode* element = view.Record(ln)->node;
    Take();
    xmlNode* dataset = AppendXml(element, R"(<DataSet name="New"><FCDA doName="Pos" fc="ST"/></DataSet>)");
    AppendXml(element, R"(<Private/>)");
    EXPECT_EQ(view.BuildChildItems(dataset, ln), kMarkerDatasets);
    view.MergeInstanceValues(AppendXml(element, R"(<DOI name="Pos"><DAI name="stVal"><Val>on</Val></DAI></DOI>)"), ln);
    view.SetLabel(ln, "LN: XCBR1 [D]");
    view.AddTypeItems(doc.FindDAType("OriginT")->children, Find("DO: Loc"));
    EXPECT_EQ(Take(), "+1+0L+0+0+1");
    EXPECT_EQ(CheckedItemCount(), doc.ItemRecordCount());
}

}  // namespace
