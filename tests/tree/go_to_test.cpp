#include "tree_fixture.h"

#include "core/command_ids.h"
#include "tree/go_selection_dialog.h"
#include "tree/go_to.h"

namespace {

const std::string kR = kRInputs + " > ExtRef: S";  // R's inputs from S
const std::string kX = "IED: X > AccessPoint: AP1 > Server > LD: LD0 > LN: LLN0 > Inputs > ExtRef: SLD0/GGIO1.Ind1.stVal";
const std::string kCB = kS1LLN0 + " > ";
const std::string kSAP1 = kN1 + " > ConnectedAP: IED: S AP: AP1";
const std::string kSAP2 = kN2 + " > ConnectedAP: IED: S AP: AP2";

class GoToTest : public TreeTest {
protected:
    void SetUp() override { LoadFixture("lookup_project.scd"); }

    // The path of the target; "" when there is none, and then nothing may have changed.
    std::string GoTo(int command, const std::string& from)
    {
        TreeItem* start = Find(from);
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
    view.Select(Find(kCB + "GSEControl: G1"));
    EXPECT_TRUE(OnGoToCommand(view, kCmdGoToAddress, ui));
    EXPECT_EQ(view.Selected(), Find(kSAP1)->Child(1)->FirstChild());
}

// The candidates are offered in tree order; R's subnetwork sees G1 and G2 of S/AP1, not
// GA of S/AP2 on N2; publishers are asked for even when there is none.
TEST_F(GoToTest, SeveralTargetsAreOfferedForAChoice)
{
    using Choices = std::vector<std::string>;
    const std::string ds1 = kCB + "DataSet: DS1", ind1 = kR + "LD0/GGIO1.Ind1.stVal";
    const struct {
        int command;
        std::string from;
        int index;
        bool ok;
        Choices choices;
        std::string to;
    } cases[] = {
        {kCmdGoToControlBlock, ds1, 1, true, {"RCB: RC1", "GCB: G1"}, kCB + "GSEControl: G1"},
        {kCmdGoToControlBlock, ds1, 1, false, {"RCB: RC1", "GCB: G1"}, ""},
        {kCmdGoToControlBlock, ds1, -1, true, {"RCB: RC1", "GCB: G1"}, ""},
        {kCmdGoToControlBlock, ds1, 2, true, {"RCB: RC1", "GCB: G1"}, ""},
        {kCmdGoToControlBlock, ind1, 1, true, {"GCB: G1", "GCB: G2"}, kCB + "GSEControl: G2"},
        {kCmdGoToDatasetElement, ind1, 1, true, {"FCDA from DS: DS1", "FCDA from DS: DS4"},
         kCB + "DataSet: DS4 > FCDA: GGIO1.ST.Ind1.stVal"},
        {kCmdGoToDatasetElement, ind1, 0, false, {"FCDA from DS: DS1", "FCDA from DS: DS4"}, ""},
        {kCmdGoToControlBlock, kR + "LD0/Q0XCBR1.Pos.origin.orCat", 0, true, {}, ""},
    };
    for (const auto& c : cases) {
        std::vector<Choices> asked;  // every dialog opens on its first line
        ui.onDialog = [&](DialogModel& model) {
            auto& dialog = dynamic_cast<CGoSelectionDialog&>(model);
            EXPECT_EQ(dialog.SelectedIndex(), 0);
            asked.push_back(dialog.Choices());
            dialog.SetSelectedIndex(c.index);
            return c.ok;
        };
        EXPECT_EQ(GoTo(c.command, c.from), c.to) << c.from << " " << c.index;
        EXPECT_EQ(asked, std::vector<Choices>{c.choices});
    }
}

}  // namespace
