// Every changing command can be taken back and made again: undo gives back the document
// byte for byte with a tree built afresh from it and the modified flag as it was, redo
// gives the document the command gave.
#include "document/tree_edit.h"
#include "document/xml_access.h"
#include "project_tree/item_access.h"
#include "project_tree/tree_fixture.h"
#include "structure/structure_edit.h"

#include <functional>
#include <sstream>
#include <random>

namespace {

using UndoTest = TreeTest;

// Saving marks the step the file holds: undoing past it, or redoing back to it, sets
// and clears the modified flag.
TEST_F(UndoTest, TheModifiedFlagFollowsTheSavedStep)
{
    LoadFixture();
    view.Select(Find("IED: P2"));
    DeleteSelectedItem(view);
    doc.SetModifiedFlag(false);  // as a save does
    view.Select(Find("IED: TS"));
    DeleteSelectedItem(view);
    EXPECT_TRUE(doc.IsModified());
    doc.Undo();
    EXPECT_FALSE(doc.IsModified());
    doc.Undo();
    EXPECT_TRUE(doc.IsModified());
    doc.Redo();
    EXPECT_FALSE(doc.IsModified());

    // A command that changes the tree outside the history ends it.
    doc.SetModifiedFlag(false);
    xmlSetProp(doc.Root(), Xml("note"), Xml("raw"));
    doc.SetModifiedFlag(true);
    EXPECT_FALSE(doc.Changes().CanUndo());
    EXPECT_FALSE(doc.Changes().CanRedo());
    EXPECT_TRUE(doc.IsModified());
    view.Select(Find("IED: P1"));
    DeleteSelectedItem(view);
    doc.Undo();
    EXPECT_TRUE(doc.IsModified()) << "the change made since the save stays";

    LoadFixture();  // a new document starts a new history
    EXPECT_FALSE(doc.Changes().CanUndo());
    EXPECT_FALSE(doc.Changes().CanRedo());
}

}  // namespace

namespace {

// The selection stays on its item through undo and redo, or moves to the nearest
// ancestor that is still there.
TEST_F(UndoTest, TheSelectionFollowsTheHistory)
{
    LoadFixture();
    // Undo and redo change the items of what they touch; the others stay, and the tree is
    // not built again.
    struct : TreeObserver {
        int resets = 0, changes = 0;
        void OnBeginReset() override { ++resets; }
        void OnBeginInsert(TreeItem*, int) override { ++changes; }
        void OnBeginRemove(TreeItem*, int) override { ++changes; }
    } observer;
    view.AddObserver(&observer);
    view.Select(Find("IED: P2"));
    DeleteSelectedItem(view);
    doc.Undo();
    doc.Redo();
    view.RemoveObserver(&observer);
    EXPECT_EQ(observer.resets, 0);
    EXPECT_GT(observer.changes, 0);
    doc.Undo();
    view.Select(Find("DataSet: DS1"));
    TreeItem* parent = view.Selected()->Parent();
    ASSERT_TRUE(parent);
    const xmlNode* ln = view.Record(parent)->node;  // the nodes stay the same through the history
    DeleteSelectedItem(view);
    view.Select(Find("IED: P2"));
    doc.Undo();
    EXPECT_EQ(view.Selected()->Label(), "IED: P2");
    view.Select(Find("DataSet: DS1"));
    doc.Redo();
    ASSERT_TRUE(view.Selected());
    EXPECT_EQ(view.Record(view.Selected())->node, ln);
}

}  // namespace


namespace {

// A seeded run of commands with undos and redos in between ends where doing only the
// steps that remain, on the file as read, ends.
TEST_F(UndoTest, RandomCommandsWithUndoAndRedoEndAsTheRemainingStepsReplayed)
{
    enum class Command { AddSubnetwork, AddTimeServer, Delete };
    struct Done {
        Command command;
        std::string target;  // the item a Delete removed, by its path of labels
    };
    ui.onDialog = [](DialogModel&) { return true; };  // the proposed time server
    const auto run = [this](const Done& done) {
        switch (done.command) {
        case Command::AddSubnetwork: return !AddSubnetwork(view).empty();
        case Command::AddTimeServer: return OnAddTimeServer(view, ui).has_value();
        case Command::Delete: view.Select(Find(done.target)); return DeleteSelectedItem(view);
        }
        return false;
    };
    for (unsigned seed : {7u, 8u, 9u}) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        LoadFixture();
        std::vector<Done> steps;  // the steps of the history, done or undone
        size_t done = 0;
        for (int turn = 0; turn < 120; ++turn) {
            const unsigned action = random() % 10;
            if (action < 3 && doc.Undo()) {
                --done;
                ASSERT_EQ(Outline(), FreshOutline()) << turn;
                continue;
            }
            if (action < 5 && doc.Redo()) {
                ++done;
                ASSERT_EQ(Outline(), FreshOutline()) << turn;
                continue;
            }
            Done next{static_cast<Command>(random() % 3), ""};
            if (next.command == Command::Delete) {
                std::vector<std::string> deletable;
                for (TreeItem* item = view.FirstRootItem(); item; item = NextItemInPreOrder(item))
                    if (IsItemOfKind(view, item, kKindIED) || IsItemOfKind(view, item, kKindDataSet) ||
                        IsItemOfKind(view, item, kKindTimeServer))
                        deletable.push_back(PathOf(item));
                if (deletable.empty()) continue;
                next.target = deletable[random() % deletable.size()];
            }
            ASSERT_TRUE(run(next)) << turn;
            steps.resize(done++);
            steps.push_back(next);
            ASSERT_EQ(doc.Changes().StepCount(), done);
        }
        const std::string reached = XmlText(doc.XmlTree());
        const std::string outline = Outline();
        LoadFixture();
        for (size_t i = 0; i < done; ++i) ASSERT_TRUE(run(steps[i])) << "replaying step " << i;
        EXPECT_TRUE(XmlText(doc.XmlTree()) == reached);
        EXPECT_EQ(Outline(), outline);
    }
}

// A step that changes a template changes every logical node whose data reaches it, however
// deep; undone and redone, the tree is the one a fresh build shows.
TEST_F(UndoTest, StepsOnTheTemplatesAreFollowedByEveryLogicalNodeOfTheType)
{
    const auto type = [this](const char* id) {
        for (xmlNode* type : ElementChildren(FindChildElement(doc.Root(), "DataTypeTemplates")))
            if (std::string_view(GetAttribute(type, "id")) == id) return type;
        return static_cast<xmlNode*>(nullptr);
    };
    const struct {
        const char* what;
        std::function<void()> edits;
    } rows[] = {
        {"a member renamed two templates down",
         [&] { EditSetAttribute(FindChildElement(type("SubT"), "DA"), "name", "w"); }},
        {"a member taken out", [&] { EditRemove(FindChildElement(type("LLN0T"), "DO")->next); }},
        {"a missing type put in",
         [&] {
             xmlNode* missing = NewElement(type("SubT"), "DOType", {{"id", "MissingT"}, {"cdc", "SPS"}});
             EditInsert(missing, nullptr,
                        NewElement(missing, "DA", {{"name", "stVal"}, {"bType", "BOOLEAN"}, {"fc", "ST"}}));
             EditInsert(type("SubT")->parent, type("SubT"), missing);
         }},
        {"a type renamed", [&] { EditSetAttribute(type("SPST"), "id", "SPS2"); }},
        {"a logical node of another type", [&] { EditSetAttribute(NodeOf("LN: GGIO1"), "lnType", "XCBRT"); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        LoadFixture();
        const std::string before = Outline();
        {
            ChangeStep step(doc.Changes(), row.what);
            row.edits();
        }
        // As a command that changes templates does: the type index, then its items.
        doc.Types().Clear();
        doc.Types().Build(FindChildElement(doc.Root(), "DataTypeTemplates"));
        view.BuildTree();
        const std::string after = Outline();
        ASSERT_NE(after, before);
        ASSERT_TRUE(doc.Undo());
        EXPECT_EQ(Outline(), before);
        ASSERT_TRUE(doc.Redo());
        EXPECT_EQ(Outline(), after);
    }
}

}  // namespace
