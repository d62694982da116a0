#include "tree_fixture.h"

#include "document/command_ids.h"
#include "document/xml_access.h"
#include "project_tree/item_labels.h"

// The caption takes the IED and logical device from the selection's ancestors; every
// other view of the document hears of each new selection, and the caption's observers
// of each rename of what it shows.
TEST_F(TreeTest, CaptionTakesIedAndLogicalDeviceFromTheAncestors)
{
    struct OtherView : DocumentView {
        int updates = 0;
        void OnUpdate(DocumentView* sender) override { updates += sender != nullptr; }
    } other;
    struct Captions : TreeObserver {
        std::vector<TreeCaption> shown;
        void OnCaptionChanged(const TreeCaption& caption) override { shown.push_back(caption); }
    } captions;
    LoadFixture();
    doc.AddView(&other);
    const std::pair<const char*, TreeCaption> cases[] = {
        {"ConnectedAP: IED: P2 AP: AP1", {"S1", "P2", ""}},
        {"BDA: orCat", {"S1", "P1", "LD0"}},
        {"LD: TIME [I]", {"S1", "", "TIME"}},  // a time server gives no IED name
    };
    for (const auto& [label, caption] : cases) {
        view.Select(Find(label));
        EXPECT_EQ(view.Caption(), caption) << label;
    }
    view.Select(nullptr);
    EXPECT_EQ(view.Caption(), TreeCaption{});
    EXPECT_EQ(other.updates, 4);
    doc.RemoveView(&other);

    view.AddObserver(&captions);
    view.Select(Find("DA: v"));
    // The station, the selection's IED and logical device, and another IED.
    for (const char* label : {"Substation: S1", "IED: P1 [I] [G]", "LD: LD0 [I] [G]", "IED: P2"}) {
        TreeItem* item = Find(label);
        TreeItemRecord* record = view.Record(item);
        xmlSetProp(record->node, Xml(record->kind == kKindLDevice ? "inst" : "name"), Xml("X"));
        view.SetLabel(item, MakeMarkedItemLabel(*record));
    }
    EXPECT_EQ(captions.shown, (std::vector<TreeCaption>{{"X", "P1", "LD0"}, {"X", "X", "LD0"}, {"X", "X", "X"}}));
    view.RemoveObserver(&captions);

    Load(R"(<IED name="A"><LDevice inst="L"><LDevice inst="inner"/></LDevice></IED>)");
    view.Select(Find("LD: inner"));
    EXPECT_EQ(view.Caption(), (TreeCaption{"", "A", "L"}));  // the higher one wins
}

// Connect Inputs needs inputs; the devices' fixed datasets (named exactly) cannot be
// modified; a time server is deleted but not updated. The Go to tests cover the Go to commands.
TEST_F(TreeTest, TreeCommandsFollowTheSelectedKind)
{
    const int commands[] = {kCmdConnectInputs, kCmdCreateDataset, kCmdModifyDataset,
                            kCmdUpdateInputs,  kCmdDelete,        kCmdUpdateIED};
    // One character per command above: which of them each selection enables.
    const std::pair<const char*, const char*> table[] = {
        {"IED: P1 [I] [G]", "...xxx"}, {"IED: TS", "....x."},      {"LN: LLN0 [I] [G] [R] [D]", "xx...."},
        {"LN: XCBR1 [D]", ".x...."},   {"DataSet: DS1", "....x."}, {"DataSet: DSG2", "....x."},
        {"DataSet: ds1", "..x.x."},    {"Inputs", "x....."},       {"Value: on", "......"},
    };
    LoadFixture();
    for (const char* name : {"DSG2", "ds1"}) AppendXml(NodeOf("LN: XCBR1"), std::string("<DataSet name=\"") + name + "\"/>");
    view.BuildTree();
    for (const auto& [label, enabled] : table) {
        view.Select(Find(label));
        for (size_t i = 0; i < std::size(commands); ++i)
            EXPECT_EQ(view.IsCommandEnabled(commands[i]), enabled[i] == 'x') << label << ", command " << commands[i];
    }
    view.Select(nullptr);
    for (int command : commands) EXPECT_FALSE(view.IsCommandEnabled(command)) << command;
    Load(R"(<Communication><IED name="notTopLevel"/></Communication>)");  // the exports need a real IED
    EXPECT_FALSE(view.IsCommandEnabled(kCmdExportIIDCID));
}
