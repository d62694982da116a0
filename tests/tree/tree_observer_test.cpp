#include "tree_fixture.h"

namespace {

// Checks each notification against the items the observer sees at that moment and
// writes one character per event: ( ) reset, + insert, - remove, L relabel, S select, s clear.
struct Recorder : TreeObserver {
    const CVarnholtView* view = nullptr;
    std::string events;
    std::vector<int> insertedChildren;  // the child count of each inserted item at its arrival
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
        insertedChildren.push_back(item->ChildCount());
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
    Recorder recorder;
    void SetUp() override
    {
        recorder.view = &view;
        view.AddObserver(&recorder);
    }
    std::string Take()
    {
        recorder.insertedChildren.clear();
        return std::exchange(recorder.events, {});
    }
};

}  // namespace

// A whole subtree arrives in one step, built before it is attached.
TEST_F(TreeObserverTest, BuildIsOneResetAndEditsAreSingleSteps)
{
    LoadFixture();
    EXPECT_EQ(Take(), "()S");
    view.InsertIEDItem(AppendXml(doc.Root(), R"(<IED name="N"><AccessPoint/><AccessPoint/></IED>)"), -1);
    EXPECT_EQ(recorder.insertedChildren, std::vector<int>{2});
    EXPECT_EQ(Take(), "+S");
    view.ReplaceIEDItem(AppendXml(doc.Root(), R"(<IED name="M"/>)"), NodeOf("IED: P2"));
    EXPECT_EQ(Take(), "+S-");
    TreeItem* ln = Find("LN: XCBR1");
    view.Select(ln->FirstChild());
    Take();
    view.ReleaseItemRecords(ln);
    view.DeleteItem(ln);
    EXPECT_EQ(Take(), "s-");
    view.Select(Find("IED: M"));
    Take();
    view.BuildTree();
    EXPECT_EQ(Take(), "s()S");
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
    EXPECT_EQ(recorder.insertedChildren, (std::vector<int>{1, 0, 0, 0, 1}));
    EXPECT_EQ(Take(), "++L+++");
    EXPECT_EQ(CheckedItemCount(), doc.ItemRecordCount());
}

TEST_F(TreeObserverTest, EveryObserverIsToldOnceUntilItLeaves)
{
    Recorder second;
    second.view = &view;
    view.AddObserver(&second);
    view.AddObserver(&second);
    Load(R"(<Bay name="B"/>)");
    EXPECT_EQ(second.events, recorder.events);
    view.RemoveObserver(&second);
    view.SetLabel(view.FirstRootItem(), "x");
    EXPECT_EQ(second.events, "()S");
    EXPECT_EQ(recorder.events, "()SL");
}
