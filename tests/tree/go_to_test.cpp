#include "lookup_fixture.h"

#include "core/command_ids.h"
#include "tree/go_selection_dialog.h"
#include "tree/go_to.h"

namespace {

const std::string kR = kRInputs + " > ExtRef: S";  // R's inputs from S
const std::string kX = "IED: X > AccessPoint: AP1 > Server > LD: LD0 > LN: LLN0 > Inputs > ExtRef: SLD0/GGIO1.Ind1.stVal";
const std::string kCB = kS1LLN0 + " > ";
const std::string kSAP1 = kN1 + " > ConnectedAP: IED: S AP: AP1";
const std::string kSAP2 = kN2 + " > ConnectedAP: IED: S AP: AP2";

class GoToTest : public LookupTest {
protected:
    struct Asked {
        std::string prompt;
        std::vector<std::string> choices;
    };
    std::vector<Asked> asked;

    void SetUp() override { LoadLookupProject(); }

    // Every selection dialog opens on its first line and is answered with `index`.
    void Answer(int index, bool ok = true)
    {
        ui.onDialog = [this, index, ok](DialogModel& model) {
            auto& dialog = dynamic_cast<CGoSelectionDialog&>(model);
            EXPECT_EQ(dialog.SelectedIndex(), 0);
            asked.push_back({dialog.Prompt(), dialog.Choices()});
            dialog.SetSelectedIndex(index);
            return ok;
        };
    }
    // The path of the target; "" when there is none, and then nothing may have changed.
    std::string GoTo(int command, const std::string& from)
    {
        TreeItem* start = At(from);
        view.Select(start);
        bool jumped = OnGoToCommand(view, command, ui);
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_EQ(jumped, view.Selected() != start);
        return jumped ? PathOf(view.Selected()) : "";
    }
};

struct Jump {
    int command;
    std::string from, to;
};

TEST_F(GoToTest, EveryCommandFromEveryKindItServes)
{
    const Jump jumps[] = {
        {kCmdGoToAccessPoint, kSAP2, "IED: S > AccessPoint: AP2"},
        {kCmdGoToAccessPoint, kN1 + " > ConnectedAP: IED: TS AP: CLK", ""},  // a time server
        {kCmdGoToAccessPoint, "IED: S > AccessPoint: AP1", ""},                // not enabled there
        {kCmdGoToDataset, kCB + "ReportControl: RC2", kCB + "DataSet: DS2"},
        {kCmdGoToDataset, kCB + "GSEControl: G2", kCB + "DataSet: DS4"},
        {kCmdGoToDataset, kCB + "GSEControl: G3", ""},
        {kCmdGoToDataElement, kCB + "DataSet: DS1 > FCDA: Q0XCBR1.ST.Pos.sub.st.orCat",
         kS1 + " > LN: Q0XCBR1 > DO: Pos > SDO: sub > DA: st > BDA: orCat"},
        {kCmdGoToDataElement, kS2 + " > LN: LLN0 > DataSet: DSA > FCDA: GGIO1.ST.Ind1.stVal",
         kS2 + " > LN: GGIO1 > DO: Ind1 > DA: stVal"},
        {kCmdGoToDataElement, kCB + "DataSet: DS1 > FCDA: Q0XCBR1.ST.Loc", ""},  // no Loc in the type
        // The source is looked for in S/AP1, on R's subnetwork, although S/AP2 comes first.
        {kCmdGoToDataElement, kR + "LD0/Q0XCBR1.Pos.origin.orCat", kS1 + " > LN: Q0XCBR1 > DO: Pos > DA: origin > BDA: orCat"},
        {kCmdGoToDataElement, kX, kS2 + " > LN: GGIO1 > DO: Ind1 > DA: stVal"},
        {kCmdGoToDataElement, kRInputs + " > ExtRef: XLD0/GGIO1.Ind1.stVal", ""},  // X is only on N2
        {kCmdGoToDataElement, kRInputs + " > ExtRef: TSLD0/GGIO1.Ind1", ""},
        {kCmdGoToControlBlock, kCB + "DataSet: DS2", kCB + "ReportControl: RC2"},
        {kCmdGoToControlBlock, kCB + "DataSet: DS3", ""},
        {kCmdGoToControlBlock, kR + "LD0/GGIO1.Ind2.stVal", kCB + "GSEControl: G1"},
        {kCmdGoToControlBlock, kX, kS2 + " > LN: LLN0 > GSEControl: GA"},
        {kCmdGoToControlBlock, kSAP2 + " > GSE > Address", kS2 + " > LN: LLN0 > GSEControl: GA"},
        {kCmdGoToControlBlock, kSAP1 + " > GSE > Address", ""},  // the first GSE names LD1
        {kCmdGoToAddress, "IED: S > AccessPoint: AP2", kSAP2},
        {kCmdGoToAddress, "IED: TS > AccessPoint: CLK", kN1 + " > ConnectedAP: IED: TS AP: CLK"},
        {kCmdGoToAddress, kS2 + " > LN: LLN0 > GSEControl: GA", kSAP2 + " > GSE > Address"},
        {kCmdGoToAddress, kCB + "GSEControl: G2", ""},  // its GSE has no Address
        {kCmdGoToAddress, kCB + "GSEControl: G3", ""},  // no GSE
        {kCmdGoToDatasetElement, kR + "LD0/GGIO1.Ind2.stVal", kCB + "DataSet: DS1 > FCDA: GGIO1.ST.Ind2.stVal"},
        {kCmdGoToDatasetElement, kR + "LD0/Q0XCBR1.Pos.origin.orCat", ""},
    };
    for (const Jump& jump : jumps) EXPECT_EQ(GoTo(jump.command, jump.from), jump.to) << jump.from;
    EXPECT_TRUE(ui.dialogsShown.empty());

    // G1's address is in the second GSE of S/AP1, the one for LD0.
    view.Select(At(kCB + "GSEControl: G1"));
    EXPECT_TRUE(OnGoToCommand(view, kCmdGoToAddress, ui));
    EXPECT_EQ(view.Selected(), At(kSAP1)->Child(1)->FirstChild());
}

TEST_F(GoToTest, ControlBlocksOfADatasetAreOfferedInTreeOrder)
{
    Answer(1);
    EXPECT_EQ(GoTo(kCmdGoToControlBlock, kCB + "DataSet: DS1"), kCB + "GSEControl: G1");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].prompt, "Select CB associated with a dataset DS1");
    EXPECT_EQ(asked[0].choices, (std::vector<std::string>{"RCB: RC1", "GCB: G1"}));
    for (auto [index, ok] : {std::pair{1, false}, {-1, true}, {2, true}}) {
        Answer(index, ok);
        EXPECT_EQ(GoTo(kCmdGoToControlBlock, kCB + "DataSet: DS1"), "") << index;
    }
}

// R's subnetwork sees G1 and G2 of S/AP1, not GA of S/AP2 on N2.
TEST_F(GoToTest, PublishersOfAnExtRefAreOfferedEvenWhenThereIsNone)
{
    Answer(1);
    EXPECT_EQ(GoTo(kCmdGoToControlBlock, kR + "LD0/GGIO1.Ind1.stVal"), kCB + "GSEControl: G2");
    EXPECT_EQ(GoTo(kCmdGoToDatasetElement, kR + "LD0/GGIO1.Ind1.stVal"), kCB + "DataSet: DS4 > FCDA: GGIO1.ST.Ind1.stVal");
    EXPECT_EQ(GoTo(kCmdGoToControlBlock, kR + "LD0/Q0XCBR1.Pos.origin.orCat"), "");
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[0].prompt, "Select GCB associated with external reference");
    EXPECT_EQ(asked[0].choices, (std::vector<std::string>{"GCB: G1", "GCB: G2"}));
    EXPECT_EQ(asked[1].prompt, "Select dataset element associated with external reference");
    EXPECT_EQ(asked[1].choices, (std::vector<std::string>{"FCDA from DS: DS1", "FCDA from DS: DS4"}));
    EXPECT_EQ(asked[2].prompt, asked[0].prompt);
    EXPECT_TRUE(asked[2].choices.empty());
    Answer(0, false);
    EXPECT_EQ(GoTo(kCmdGoToDatasetElement, kR + "LD0/GGIO1.Ind1.stVal"), "");
}

TEST_F(GoToTest, AJumpRaisesTheSelectionChange)
{
    struct Selections : TreeObserver {
        std::vector<TreeItem*> items;
        void OnSelectionChanged(TreeItem* item, TreeItemRecord*, const TreeCaption&) override { items.push_back(item); }
    } selections;
    view.Select(At(kSAP2));
    view.AddObserver(&selections);
    EXPECT_TRUE(OnGoToCommand(view, kCmdGoToAccessPoint, ui));
    EXPECT_FALSE(OnGoToCommand(view, kCmdConnectInputs, ui));
    view.RemoveObserver(&selections);
    EXPECT_EQ(selections.items, (std::vector<TreeItem*>{At("IED: S > AccessPoint: AP2")}));
    EXPECT_EQ(view.Caption().ied, "S");
}

}  // namespace
