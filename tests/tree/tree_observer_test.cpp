#include "tree_fixture.h"

#include "core/xml_access.h"

namespace {

std::string Name(const TreeItem* item)
{
    return item ? item->Label() : "root";
}

// Writes every notification as one line, with the state the observer can see then.
class RecordingObserver : public TreeObserver {
public:
    std::vector<std::string> events;

    void OnBeginReset() override { events.push_back("begin reset"); }
    void OnEndReset() override { events.push_back("end reset"); }
    void OnBeginInsert(TreeItem* parent, int row) override
    {
        events.push_back("begin insert " + Name(parent) + " row " + std::to_string(row) + " of " +
                         std::to_string(Count(parent)));
    }
    void OnEndInsert(TreeItem* item) override
    {
        events.push_back("end insert " + Name(item) + " row " + std::to_string(item->Row()) + " with " +
                         std::to_string(Descendants(item)) + " below");
    }
    void OnBeginRemove(TreeItem* parent, int row) override
    {
        events.push_back("begin remove " + Name(parent) + " row " + std::to_string(row) + " of " +
                         std::to_string(Count(parent)));
    }
    void OnEndRemove(TreeItem* parent, int row) override
    {
        events.push_back("end remove " + Name(parent) + " row " + std::to_string(row) + " of " +
                         std::to_string(Count(parent)));
    }
    void OnRelabelled(TreeItem* item) override { events.push_back("relabelled " + Name(item)); }
    void OnSelectionChanged(TreeItem* item, TreeItemRecord* record, const TreeCaption& caption) override
    {
        events.push_back("selected " + Name(item) + (record ? "" : " without record") + " in " + caption.ied);
    }

    const CVarnholtView* view = nullptr;

private:
    int Count(const TreeItem* parent) const { return parent ? parent->ChildCount() : view->RootItemCount(); }
    static int Descendants(const TreeItem* item)
    {
        int count = 0;
        for (TreeItem* child = item->FirstChild(); child; child = child->NextSibling()) count += 1 + Descendants(child);
        return count;
    }
};

class TreeObserverTest : public TreeTest {
protected:
    RecordingObserver observer;
    void SetUp() override
    {
        observer.view = &view;
        view.AddObserver(&observer);
    }
    void TearDown() override { view.RemoveObserver(&observer); }
};

using Events = std::vector<std::string>;

}  // namespace

TEST_F(TreeObserverTest, BuildIsOneResetThenTheFirstSelection)
{
    LoadFixture("tree_project.scd");
    EXPECT_EQ(observer.events, (Events{"begin reset", "end reset", "selected Substation: S1 in "}));
    observer.events.clear();
    view.Select(Find("IED: P2"));
    view.BuildTree();
    EXPECT_EQ(observer.events, (Events{"selected IED: P2 in P2", "selected root without record in ",
                                       "begin reset", "end reset", "selected Substation: S1 in "}));
}

TEST_F(TreeObserverTest, InsertedSubtreeArrivesWholeInOneStep)
{
    LoadFixture("tree_project.scd");
    observer.events.clear();
    view.InsertIEDItem(AppendXml(doc.Root(), R"(<IED name="N"><AccessPoint><Server/></AccessPoint></IED>)"), -1);
    EXPECT_EQ(observer.events, (Events{"begin insert root row 4 of 5", "end insert IED: N row 4 with 2 below",
                                       "selected IED: N in N"}));
}

TEST_F(TreeObserverTest, ReplaceInsertsSelectsThenRemoves)
{
    LoadFixture("tree_project.scd");
    xmlNode* old = view.Record(Find("IED: P2"))->node;
    observer.events.clear();
    view.ReplaceIEDItem(AppendXml(doc.Root(), R"(<IED name="N"/>)"), old);
    EXPECT_EQ(observer.events, (Events{"begin insert root row 4 of 5", "end insert IED: N row 4 with 0 below",
                                       "selected IED: N in N", "begin remove root row 3 of 6",
                                       "end remove root row 3 of 5"}));
}

TEST_F(TreeObserverTest, DeletingTheSelectionClearsItFirst)
{
    LoadFixture("tree_project.scd");
    TreeItem* ln = Find("LN: GGIO1");
    view.Select(ln->FirstChild());
    observer.events.clear();
    view.ReleaseItemRecords(ln);
    view.DeleteItem(ln);
    EXPECT_EQ(observer.events, (Events{"selected root without record in ", "begin remove LD: LD0 row 0 of 1",
                                       "end remove LD: LD0 row 0 of 0"}));
}

TEST_F(TreeObserverTest, EditsOfLiveItemsAreAnnouncedItemByItem)
{
    LoadFixture("tree_project.scd");
    TreeItem* ln = Find("LN: XCBR1");
    xmlNode* element = view.Record(ln)->node;
    observer.events.clear();

    xmlNode* dataset = AppendXml(element, R"(<DataSet name="New"><FCDA doName="Pos" fc="ST"/></DataSet>)");
    AppendXml(element, R"(<Private/>)");
    EXPECT_EQ(view.BuildChildItems(dataset, ln), kMarkerDatasets);
    xmlNode* doi = AppendXml(element, R"(<DOI name="Pos"><DAI name="stVal"><Val>on</Val><Val>off</Val></DAI></DOI>)");
    view.MergeInstanceValues(doi, ln);
    view.SetLabel(ln, "LN: XCBR1 [D]");
    EXPECT_EQ(observer.events, (Events{"begin insert LN: XCBR1 row 1 of 1", "end insert DataSet: New row 1 with 1 below",
                                       "begin insert DA: stVal row 0 of 0", "end insert Value: on row 0 with 0 below",
                                       "begin insert DA: stVal row 1 of 1", "end insert Value: off row 1 with 0 below",
                                       "relabelled LN: XCBR1 [D]"}));
    EXPECT_EQ(doc.ItemRecordCount(), ItemCount());
}

TEST_F(TreeObserverTest, EveryObserverIsToldUntilItLeaves)
{
    RecordingObserver second;
    second.view = &view;
    view.AddObserver(&second);
    view.AddObserver(&second);
    Load(R"(<Bay name="B"/>)");
    EXPECT_EQ(second.events, observer.events);
    EXPECT_EQ(second.events.size(), 3u);
    view.RemoveObserver(&second);
    view.SetLabel(view.FirstRootItem(), "x");
    EXPECT_EQ(second.events.size(), 3u);
    EXPECT_EQ(observer.events.size(), 4u);
}
