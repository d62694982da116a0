#include "lookup_fixture.h"

#include "core/command_ids.h"
#include "core/xml_access.h"
#include "tree/go_selection_dialog.h"
#include "tree/go_to.h"

namespace {

class GoToTest : public LookupTest {
protected:
    struct Asked {
        std::string prompt;
        std::vector<std::string> choices;
    };
    std::vector<Asked> asked;

    void SetUp() override { LoadLookupProject(); }

    // Answers every selection dialog with OK on `index`, or Cancel when `ok` is false.
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
    // The path of the item selected by the command from `from`; "" when it found nothing,
    // which must leave the selection alone and show no message.
    std::string GoTo(int command, const std::string& from)
    {
        TreeItem* start = At(from);
        view.Select(start);
        bool jumped = OnGoToCommand(view, command, ui);
        EXPECT_TRUE(ui.messages.empty());
        if (jumped) return PathOf(view.Selected());
        EXPECT_EQ(view.Selected(), start);
        return "";
    }
};

const std::string kRExtRef = std::string("IED: R > AccessPoint: AP1 > Server > LD: LD0 > LN: LLN0 > Inputs > ExtRef: ");
const std::string kXExtRef =
    std::string("IED: X > AccessPoint: AP1 > Server > LD: LD0 > LN: LLN0 > Inputs > ExtRef: SLD0/GGIO1.Ind1.stVal");
const std::string kN1 = "Communication > SubNetwork: N1 > ";
const std::string kN2 = "Communication > SubNetwork: N2 > ";

TEST_F(GoToTest, IEDAccessPointFromAConnectedAP)
{
    EXPECT_EQ(GoTo(kCmdGoToAccessPoint, kN2 + "ConnectedAP: IED: S AP: AP2"), "IED: S > AccessPoint: AP2");
    EXPECT_EQ(GoTo(kCmdGoToAccessPoint, kN2 + "ConnectedAP: IED: X AP: AP1"), "IED: X > AccessPoint: AP1");
    EXPECT_EQ(GoTo(kCmdGoToAccessPoint, kN1 + "ConnectedAP: IED: TS AP: CLK"), "");  // a time server
    EXPECT_EQ(GoTo(kCmdGoToAccessPoint, "IED: S > AccessPoint: AP1"), "");          // not enabled there
}

TEST_F(GoToTest, DatasetFromAControlBlock)
{
    const std::string ln0 = std::string(kS1LLN0) + " > ";
    EXPECT_EQ(GoTo(kCmdGoToDataset, ln0 + "ReportControl: RC2"), ln0 + "DataSet: DS2");
    EXPECT_EQ(GoTo(kCmdGoToDataset, ln0 + "GSEControl: G2"), ln0 + "DataSet: DS4");
    EXPECT_EQ(GoTo(kCmdGoToDataset, ln0 + "GSEControl: G3"), "");
    EXPECT_EQ(GoTo(kCmdGoToDataset, ln0 + "GSEControl: G4"), "");
}

TEST_F(GoToTest, DataElementFromAnFCDAInItsOwnServerOrFromAnExtRef)
{
    const std::string ds1 = std::string(kS1LLN0) + " > DataSet: DS1 > ";
    EXPECT_EQ(GoTo(kCmdGoToDataElement, ds1 + "FCDA: Q0XCBR1.ST.Pos.sub.st.orCat"),
              std::string(kS1) + " > LN: Q0XCBR1 > DO: Pos > SDO: sub > DA: st > BDA: orCat");
    EXPECT_EQ(GoTo(kCmdGoToDataElement, std::string(kS2LLN0) + " > DataSet: DSA > FCDA: GGIO1.ST.Ind1.stVal"),
              "IED: S > AccessPoint: AP2 > Server > LD: LD0 > LN: GGIO1 > DO: Ind1 > DA: stVal");
    EXPECT_EQ(GoTo(kCmdGoToDataElement, ds1 + "FCDA: Q0XCBR1.ST.Loc"), "");  // Loc is not in the type
    EXPECT_EQ(GoTo(kCmdGoToDataElement, kRExtRef + "SLD0/GGIO1.Ind2.stVal"),
              std::string(kS1) + " > LN: GGIO1 > DO: Ind2 > DA: stVal");
    EXPECT_EQ(GoTo(kCmdGoToDataElement, kRExtRef + "XLD0/GGIO1.Ind1.stVal"), "");
}

TEST_F(GoToTest, ControlBlockOfADatasetAsksOnlyAmongSeveral)
{
    const std::string ln0 = std::string(kS1LLN0) + " > ";
    EXPECT_EQ(GoTo(kCmdGoToControlBlock, ln0 + "DataSet: DS2"), ln0 + "ReportControl: RC2");
    EXPECT_EQ(GoTo(kCmdGoToControlBlock, ln0 + "DataSet: DS3"), "");
    EXPECT_TRUE(ui.dialogsShown.empty());

    Answer(1);
    EXPECT_EQ(GoTo(kCmdGoToControlBlock, ln0 + "DataSet: DS1"), ln0 + "GSEControl: G1");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].prompt, "Select CB associated with a dataset DS1");
    EXPECT_EQ(asked[0].choices, (std::vector<std::string>{"RCB: RC1", "GCB: G1"}));
    Answer(1, false);
    EXPECT_EQ(GoTo(kCmdGoToControlBlock, ln0 + "DataSet: DS1"), "");
    Answer(-1);
    EXPECT_EQ(GoTo(kCmdGoToControlBlock, ln0 + "DataSet: DS1"), "");
    Answer(2);
    EXPECT_EQ(GoTo(kCmdGoToControlBlock, ln0 + "DataSet: DS1"), "");
}

// S publishes Ind1.stVal through G1 and G2 in AP1 and through GA in AP2 on the other
// subnetwork, which R does not see.
TEST_F(GoToTest, ControlBlockOfAnExtRefAmongThePublishersOnItsSubnetwork)
{
    const std::string ln0 = std::string(kS1LLN0) + " > ";
    EXPECT_EQ(GoTo(kCmdGoToControlBlock, kRExtRef + "SLD0/GGIO1.Ind2.stVal"), ln0 + "GSEControl: G1");
    EXPECT_EQ(GoTo(kCmdGoToControlBlock, kXExtRef), std::string(kS2LLN0) + " > GSEControl: GA");
    EXPECT_TRUE(ui.dialogsShown.empty());

    Answer(1);
    EXPECT_EQ(GoTo(kCmdGoToControlBlock, kRExtRef + "SLD0/GGIO1.Ind1.stVal"), ln0 + "GSEControl: G2");
    EXPECT_EQ(GoTo(kCmdGoToControlBlock, kRExtRef + "SLD0/Q0XCBR1.Pos.origin.orCat"), "");
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].prompt, "Select GCB associated with external reference");
    EXPECT_EQ(asked[0].choices, (std::vector<std::string>{"GCB: G1", "GCB: G2"}));
    EXPECT_EQ(asked[1].prompt, "Select GCB associated with external reference");
    EXPECT_TRUE(asked[1].choices.empty());  // no publisher: the list is empty
    Answer(0, false);
    EXPECT_EQ(GoTo(kCmdGoToControlBlock, kRExtRef + "SLD0/GGIO1.Ind1.stVal"), "");
}

TEST_F(GoToTest, ControlBlockOfAGooseAddress)
{
    TreeItem* gse = At(kN1 + "ConnectedAP: IED: S AP: AP1")->Child(1);
    view.Select(gse->FirstChild());
    EXPECT_TRUE(OnGoToCommand(view, kCmdGoToControlBlock, ui));
    EXPECT_EQ(PathOf(view.Selected()), std::string(kS1LLN0) + " > GSEControl: G1");
    EXPECT_EQ(GoTo(kCmdGoToControlBlock, kN2 + "ConnectedAP: IED: S AP: AP2 > GSE > Address"),
              std::string(kS2LLN0) + " > GSEControl: GA");
    EXPECT_EQ(GoTo(kCmdGoToControlBlock, kN1 + "ConnectedAP: IED: S AP: AP1 > GSE > Address"), "");  // LD1
}

TEST_F(GoToTest, AddressInformationOfAnAccessPointOrAGooseControlBlock)
{
    EXPECT_EQ(GoTo(kCmdGoToAddress, "IED: S > AccessPoint: AP2"), kN2 + "ConnectedAP: IED: S AP: AP2");
    EXPECT_EQ(GoTo(kCmdGoToAddress, "IED: TS > AccessPoint: CLK"), kN1 + "ConnectedAP: IED: TS AP: CLK");
    EXPECT_EQ(GoTo(kCmdGoToAddress, "IED: S > AccessPoint: AP1"), kN1 + "ConnectedAP: IED: S AP: AP1");

    view.Select(At(std::string(kS1LLN0) + " > GSEControl: G1"));
    EXPECT_TRUE(OnGoToCommand(view, kCmdGoToAddress, ui));
    EXPECT_EQ(view.Selected(), At(kN1 + "ConnectedAP: IED: S AP: AP1")->Child(1)->FirstChild());
    EXPECT_EQ(GoTo(kCmdGoToAddress, std::string(kS2LLN0) + " > GSEControl: GA"),
              kN2 + "ConnectedAP: IED: S AP: AP2 > GSE > Address");
    EXPECT_EQ(GoTo(kCmdGoToAddress, std::string(kS1LLN0) + " > GSEControl: G2"), "");  // its GSE has no Address
    EXPECT_EQ(GoTo(kCmdGoToAddress, std::string(kS1LLN0) + " > GSEControl: G3"), "");  // no GSE
}

TEST_F(GoToTest, DatasetElementOfAnExtRef)
{
    const std::string ln0 = std::string(kS1LLN0) + " > ";
    EXPECT_EQ(GoTo(kCmdGoToDatasetElement, kRExtRef + "SLD0/GGIO1.Ind2.stVal"),
              ln0 + "DataSet: DS1 > FCDA: GGIO1.ST.Ind2.stVal");
    EXPECT_EQ(GoTo(kCmdGoToDatasetElement, kRExtRef + "SLD0/Q0XCBR1.Pos.origin.orCat"), "");
    EXPECT_TRUE(ui.dialogsShown.empty());

    Answer(1);
    EXPECT_EQ(GoTo(kCmdGoToDatasetElement, kRExtRef + "SLD0/GGIO1.Ind1.stVal"),
              ln0 + "DataSet: DS4 > FCDA: GGIO1.ST.Ind1.stVal");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].prompt, "Select dataset element associated with external reference");
    EXPECT_EQ(asked[0].choices, (std::vector<std::string>{"FCDA from DS: DS1", "FCDA from DS: DS4"}));
    Answer(0, false);
    EXPECT_EQ(GoTo(kCmdGoToDatasetElement, kRExtRef + "SLD0/GGIO1.Ind1.stVal"), "");
}

TEST_F(GoToTest, AJumpRaisesTheSelectionChange)
{
    struct Selections : TreeObserver {
        std::vector<TreeItem*> items;
        void OnSelectionChanged(TreeItem* item, TreeItemRecord*, const TreeCaption&) override { items.push_back(item); }
    } selections;
    view.Select(At(kN2 + "ConnectedAP: IED: S AP: AP2"));
    view.AddObserver(&selections);
    EXPECT_TRUE(OnGoToCommand(view, kCmdGoToAccessPoint, ui));
    EXPECT_FALSE(OnGoToCommand(view, kCmdGoToDataset, ui));
    EXPECT_FALSE(OnGoToCommand(view, kCmdConnectInputs, ui));
    view.RemoveObserver(&selections);
    EXPECT_EQ(selections.items, (std::vector<TreeItem*>{At("IED: S > AccessPoint: AP2")}));
    EXPECT_EQ(view.Caption().ied, "S");
}

}  // namespace
