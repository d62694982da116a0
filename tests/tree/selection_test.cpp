#include "tree_fixture.h"

#include "core/command_ids.h"

#include <map>

namespace {

// A second view of the document, as the property view will be.
struct CountingView : DocumentView {
    int updates = 0;
    DocumentView* lastSender = nullptr;
    void OnUpdate(DocumentView* sender) override
    {
        ++updates;
        lastSender = sender;
    }
};

const std::vector<int> kTreeCommands = {
    kCmdGoToAccessPoint, kCmdGoToDataset,   kCmdGoToDataElement, kCmdGoToControlBlock,
    kCmdGoToAddress,     kCmdGoToDatasetElement, kCmdConnectInputs, kCmdCreateDataset,
    kCmdModifyDataset,   kCmdUpdateInputs,  kCmdDelete,          kCmdUpdateIED,
};

}  // namespace

TEST_F(TreeTest, CaptionTakesIedAndLogicalDeviceFromTheAncestors)
{
    LoadFixture("tree_project.scd");
    EXPECT_EQ(view.Caption(), (TreeCaption{"S1", "", ""}));
    view.Select(Find("ConnectedAP: IED: P2 AP: AP1"));
    EXPECT_EQ(view.Caption(), (TreeCaption{"S1", "P2", ""}));
    view.Select(Find("BDA: orCat"));
    EXPECT_EQ(view.Caption(), (TreeCaption{"S1", "P1", "LD0"}));
    view.Select(Find("LD: TIME [I]"));  // a time server names no IED
    EXPECT_EQ(view.Caption(), (TreeCaption{"S1", "", "TIME"}));
    view.Select(nullptr);
    EXPECT_EQ(view.Caption(), TreeCaption{});
}

TEST_F(TreeTest, CaptionWithoutSubstation)
{
    Load(R"(<IED name="A"><LDevice inst="L"><LDevice inst="inner"/></LDevice></IED>)");
    view.Select(Find("LD: inner"));
    EXPECT_EQ(view.Caption(), (TreeCaption{"", "A", "L"}));
}

TEST_F(TreeTest, SelectionChangeUpdatesTheOtherViewsOnce)
{
    LoadFixture("tree_project.scd");
    CountingView other;
    doc.AddView(&other);
    view.Select(Find("IED: P2"));
    EXPECT_EQ(other.updates, 1);
    EXPECT_EQ(other.lastSender, &view);
    view.Select(Find("IED: P2"));
    EXPECT_EQ(other.updates, 1);
    EXPECT_EQ(view.SelectedRecord(), view.Record(Find("IED: P2")));
    doc.RemoveView(&other);
}

TEST_F(TreeTest, TreeCommandsFollowTheSelectedKind)
{
    LoadFixture("tree_project.scd");
    const std::map<std::string, std::vector<int>> enabled = {
        {"ConnectedAP: IED: P1 AP: AP1 [G]", {kCmdGoToAccessPoint}},
        {"IED: P1 [I] [G]", {kCmdUpdateInputs, kCmdDelete, kCmdUpdateIED}},
        {"IED: TS", {kCmdDelete}},
        {"AccessPoint: AP1", {kCmdGoToAddress}},
        {"LN: LLN0 [I] [G] [R] [D]", {kCmdConnectInputs, kCmdCreateDataset}},
        {"LN: XCBR1", {kCmdCreateDataset}},
        {"DataSet: DS1", {kCmdGoToControlBlock, kCmdDelete}},  // DS1 cannot be modified
        {"ReportControl: RC1", {kCmdGoToDataset}},
        {"GSEControl: GC1", {kCmdGoToDataset, kCmdGoToAddress}},
        {"FCDA: XCBR1.ST.Pos", {kCmdGoToDataElement}},
        {"Inputs", {kCmdConnectInputs}},
        {"ExtRef: P2LD0/GGIO1.Ind1.stVal",
         {kCmdGoToDataElement, kCmdGoToControlBlock, kCmdGoToDatasetElement, kCmdConnectInputs}},
        {"Value: on", {}},
    };
    for (const auto& [label, commands] : enabled) {
        view.Select(Find(label));
        for (int command : kTreeCommands) {
            bool expected = std::find(commands.begin(), commands.end(), command) != commands.end();
            EXPECT_EQ(view.IsCommandEnabled(command), expected) << label << ", command " << command;
        }
    }
    view.Select(Find("GSE")->FirstChild());
    EXPECT_TRUE(view.IsCommandEnabled(kCmdGoToControlBlock));
    view.Select(nullptr);
    for (int command : kTreeCommands) EXPECT_FALSE(view.IsCommandEnabled(command)) << command;
}

TEST_F(TreeTest, OnlyPredefinedDatasetNamesCannotBeModified)
{
    Load(R"(<IED name="A"><LN0 lnClass="LLN0" inst=""><DataSet name="DS1"/><DataSet name="DS2"/>
<DataSet name="DS3"/><DataSet name="DSG1"/><DataSet name="DSG2"/><DataSet name="DS4"/><DataSet name="ds1"/>
<DataSet name="DSG1 "/></LN0></IED>)");
    std::vector<bool> modifiable;
    for (TreeItem* item = Find("LN: LLN0 [D]")->FirstChild(); item; item = item->NextSibling()) {
        view.Select(item);
        modifiable.push_back(view.IsCommandEnabled(kCmdModifyDataset));
    }
    EXPECT_EQ(modifiable, (std::vector<bool>{false, false, false, false, false, true, true, true}));
}

TEST_F(TreeTest, DocumentCommandsDependOnlyOnTheDocument)
{
    Load(R"(<Substation name="S"/><Communication/>)");
    view.Select(nullptr);
    for (int command : {kCmdAddIED, kCmdAddTimeServer, kCmdVerifyAddresses, kCmdVerifyGooseInputs})
        EXPECT_TRUE(view.IsCommandEnabled(command)) << command;
    for (int command : {kCmdExportIIDCID, kCmdExportVariables, kCmdExportIEDDescription, kCmdAddSubstation,
                        kCmdAddVoltageLevel, kCmdAddBay})
        EXPECT_FALSE(view.IsCommandEnabled(command)) << command;

    Load(R"(<IED name="A"/>)");
    for (int command : {kCmdExportIIDCID, kCmdExportVariables, kCmdExportIEDDescription})
        EXPECT_TRUE(view.IsCommandEnabled(command)) << command;
    view.Select(view.FirstRootItem());
    EXPECT_FALSE(view.IsCommandEnabled(kCmdAddSubstation));
    EXPECT_FALSE(view.IsCommandEnabled(0));
}
