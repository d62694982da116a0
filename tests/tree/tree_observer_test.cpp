#include "tree_fixture.h"

namespace {

std::string Name(const TreeItem* item)
{
    return item ? item->Label() : "root";
}

// Writes each notification as a line, with the child count the observer sees then.
struct Recorder : TreeObserver {
    const CVarnholtView* view = nullptr;
    std::vector<std::string> events;

    void Add(const std::string& what, const TreeItem* parent, int row)
    {
        int count = parent ? parent->ChildCount() : view->RootItemCount();
        events.push_back(what + " " + Name(parent) + " " + std::to_string(row) + "/" + std::to_string(count));
    }
    void OnBeginReset() override { events.push_back("reset"); }
    void OnEndReset() override { events.push_back("reset done"); }
    void OnBeginInsert(TreeItem* parent, int row) override { Add("insert", parent, row); }
    void OnEndInsert(TreeItem* item) override
    {
        events.push_back("inserted " + Name(item) + " with " + std::to_string(item->ChildCount()));
    }
    void OnBeginRemove(TreeItem* parent, int row) override { Add("remove", parent, row); }
    void OnEndRemove(TreeItem* parent, int row) override { Add("removed", parent, row); }
    void OnRelabelled(TreeItem* item) override { events.push_back("relabelled " + Name(item)); }
    void OnSelectionChanged(TreeItem* item, TreeItemRecord* record, const TreeCaption& caption) override
    {
        events.push_back("selected " + Name(item) + (record ? " in " + caption.ied : ""));
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
    std::vector<std::string> Take() { return std::exchange(recorder.events, {}); }
};

using Events = std::vector<std::string>;

}  // namespace

TEST_F(TreeObserverTest, BuildIsOneResetAndEditsAreSingleSteps)
{
    LoadFixture();
    EXPECT_EQ(Take(), (Events{"reset", "reset done", "selected Substation: S1 in "}));

    // A whole subtree arrives in one step, built before it is attached.
    view.InsertIEDItem(AppendXml(doc.Root(), R"(<IED name="N"><AccessPoint/><AccessPoint/></IED>)"), -1);
    EXPECT_EQ(Take(), (Events{"insert root 4/5", "inserted IED: N with 2", "selected IED: N in N"}));

    view.ReplaceIEDItem(AppendXml(doc.Root(), R"(<IED name="M"/>)"), NodeOf("IED: P2"));
    EXPECT_EQ(Take(), (Events{"insert root 4/6", "inserted IED: M with 0", "selected IED: M in M",
                              "remove root 3/7", "removed root 3/6"}));

    TreeItem* ln = Find("LN: XCBR1");
    view.Select(ln->FirstChild());
    Take();
    view.ReleaseItemRecords(ln);
    view.DeleteItem(ln);
    EXPECT_EQ(Take(), (Events{"selected root", "remove LD: LD0 [I] [G] 1/2", "removed LD: LD0 [I] [G] 1/1"}));

    view.Select(Find("IED: M"));
    Take();
    view.BuildTree();
    EXPECT_EQ(Take(), (Events{"selected root", "reset", "reset done", "selected Substation: S1 in "}));
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
    EXPECT_EQ(Take(), (Events{"insert LN: XCBR1 2/2", "inserted DataSet: New with 1", "insert DA: stVal 0/0",
                              "inserted Value: on with 0", "relabelled LN: XCBR1 [D]", "insert DO: Loc 0/0",
                              "inserted BDA: orCat with 0", "insert DO: Loc 1/1", "inserted BDA: orIdent with 0",
                              "insert DO: Loc 2/2", "inserted BDA: nested with 1"}));
    EXPECT_EQ(CheckedItemCount(), doc.ItemRecordCount());
}

TEST_F(TreeObserverTest, EveryObserverIsToldUntilItLeaves)
{
    Recorder second;
    second.view = &view;
    view.AddObserver(&second);
    view.AddObserver(&second);
    Load(R"(<Bay name="B"/>)");
    EXPECT_EQ(second.events, recorder.events);
    view.RemoveObserver(&second);
    view.SetLabel(view.FirstRootItem(), "x");
    EXPECT_EQ(second.events.size(), 3u);
    EXPECT_EQ(recorder.events.size(), 4u);
}
