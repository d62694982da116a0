#include "tree_fixture.h"

#include "core/command_ids.h"
#include "core/xml_access.h"
#include "tree/item_labels.h"

TEST_F(TreeTest, CaptionTakesIedAndLogicalDeviceFromTheAncestors)
{
    struct OtherView : DocumentView {
        std::vector<DocumentView*> senders;
        void OnUpdate(DocumentView* sender) override { senders.push_back(sender); }
    } other;
    LoadFixture();
    doc.AddView(&other);
    EXPECT_EQ(view.Caption(), (TreeCaption{"S1", "", ""}));
    view.Select(Find("ConnectedAP: IED: P2 AP: AP1"));
    EXPECT_EQ(view.Caption(), (TreeCaption{"S1", "P2", ""}));
    view.Select(Find("BDA: orCat"));
    EXPECT_EQ(view.Caption(), (TreeCaption{"S1", "P1", "LD0"}));
    view.Select(Find("BDA: orCat"));
    view.Select(Find("LD: TIME [I]"));  // a time server gives no IED name
    EXPECT_EQ(view.Caption(), (TreeCaption{"S1", "", "TIME"}));
    view.Select(nullptr);
    EXPECT_EQ(view.Caption(), TreeCaption{});
    EXPECT_EQ(other.senders, std::vector<DocumentView*>(4, &view));
    doc.RemoveView(&other);

    Load(R"(<IED name="A"><LDevice inst="L"><LDevice inst="inner"/></LDevice></IED>)");
    view.Select(Find("LD: inner"));
    EXPECT_EQ(view.Caption(), (TreeCaption{"", "A", "L"}));  // the higher one wins
}

TEST_F(TreeTest, RenamingWhatTheCaptionShowsUpdatesItAtOnce)
{
    struct Captions : TreeObserver {
        std::vector<TreeCaption> shown;
        void OnCaptionChanged(const TreeCaption& caption) override { shown.push_back(caption); }
    } captions;
    LoadFixture();
    view.AddObserver(&captions);
    view.Select(Find("DA: v"));
    auto ancestor = [&](int32_t kind) {
        TreeItem* item = view.Selected();
        while (view.Record(item)->kind != kind) item = item->Parent();
        return item;
    };
    const std::pair<TreeItem*, const char*> renames[] = {{Find("Substation: S1"), "name"},
                                                         {ancestor(kKindIED), "name"},
                                                         {ancestor(kKindLDevice), "inst"},
                                                         {Find("IED: P2"), "name"}};  // not in the caption
    for (const auto& [item, attribute] : renames) {
        TreeItemRecord* record = view.Record(item);
        xmlSetProp(record->node, Xml(attribute), Xml("X"));
        view.SetLabel(item, MakeMarkedItemLabel(*record));
    }
    EXPECT_EQ(captions.shown, (std::vector<TreeCaption>{{"X", "P1", "LD0"}, {"X", "X", "LD0"}, {"X", "X", "X"}}));
    view.RemoveObserver(&captions);
}

// The Go to commands are enabled where go_to_test jumps from.
TEST_F(TreeTest, TreeCommandsFollowTheSelectedKind)
{
    const int commands[] = {kCmdConnectInputs, kCmdCreateDataset, kCmdModifyDataset,
                            kCmdUpdateInputs,  kCmdDelete,        kCmdUpdateIED};
    // One character per command above: which of them each selection enables.
    const std::pair<const char*, const char*> table[] = {
        {"IED: P1 [I] [G]", "...xxx"}, {"IED: TS", "....x."},      {"LN: LLN0 [I] [G] [R] [D]", "xx...."},
        {"LN: XCBR1 [D]", ".x...."},   {"DataSet: DS1", "....x."}, {"DataSet: Mine", "..x.x."},
        {"DataSet: ds1", "..x.x."},    {"Inputs", "x....."},       {"ExtRef: P2LD0/GGIO1.Ind1.stVal", "x....."},
        {"DataSet: DSG2", "....x."}, {"Value: on", "......"},
    };
    LoadFixture();
    for (const char* name : {"Mine", "DSG2", "ds1"}) AppendXml(NodeOf("LN: XCBR1"), std::string("<DataSet name=\"") + name + "\"/>");
    view.BuildTree();
    for (const auto& [label, enabled] : table) {
        view.Select(Find(label));
        for (size_t i = 0; i < std::size(commands); ++i)
            EXPECT_EQ(view.IsCommandEnabled(commands[i]), enabled[i] == 'x') << label << ", command " << commands[i];
    }
    view.Select(nullptr);
    for (int command : commands) EXPECT_FALSE(view.IsCommandEnabled(command)) << command;
    EXPECT_FALSE(view.IsCommandEnabled(kCmdGoToDataElement));
}

TEST_F(TreeTest, DocumentCommandsDependOnlyOnTheDocument)
{
    const int always[] = {kCmdAddIED, kCmdAddTimeServer, kCmdVerifyAddresses, kCmdVerifyGooseInputs};
    const int exports[] = {kCmdExportIIDCID, kCmdExportVariables, kCmdExportIEDDescription};
    Load(R"(<Substation name="S"/><Communication><IED name="notTopLevel"/></Communication>)");
    for (int command : always) EXPECT_TRUE(view.IsCommandEnabled(command)) << command;
    for (int command : exports) EXPECT_FALSE(view.IsCommandEnabled(command)) << command;
    Load(R"(<IED name="A"/>)");
    for (int command : exports) EXPECT_TRUE(view.IsCommandEnabled(command)) << command;
    for (int command : {int(kCmdAddSubstation), int(kCmdAddVoltageLevel), int(kCmdAddBay), 0})
        EXPECT_FALSE(view.IsCommandEnabled(command)) << command;
}
