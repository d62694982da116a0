#include "document/command_ids.h"
#include "document/xml_access.h"
#include "project_tree/go_selection_dialog.h"
#include "project_tree/go_to.h"
#include "project_tree/item_at_line.h"
#include "project_tree/lookup_index.h"
#include "tree_fixture.h"

namespace {

// Paths into tests/data/lookup_project.scd.
const std::string kN1 = "Communication > SubNetwork: N1";
const std::string kN2 = "Communication > SubNetwork: N2";
const std::string kS1 = "IED: S > AccessPoint: AP1 > Server > LD: LD0";
const std::string kS1LLN0 = kS1 + " > LN: LLN0";
const std::string kS2 = "IED: S > AccessPoint: AP2 > Server > LD: LD0";
const std::string kRInputs = "IED: R > AccessPoint: AP1 > Server > LD: LD0 > LN: LLN0 > Inputs";

class LookupProject : public TreeTest {
protected:
    void SetUp() override { LoadFixture("lookup_project.scd"); }
};

// N1 follows an empty subnetwork; N2 lists S/AP1 a second time. A selection names its
// IED or its subnetwork; removing an IED's ConnectedAPs clears a selection inside them.
TEST_F(LookupProject, ConnectedAPsFirstMatchThroughEverySubnetworkAndGoWithTheirIed)
{
    EXPECT_EQ(PathOf(FindSubNetworkOfConnectedAP(view, "S", "AP1")), kN1);
    EXPECT_EQ(PathOf(FindConnectedAPItem(view, "S", "AP1")), kN1 + " > ConnectedAP: IED: S AP: AP1");
    EXPECT_EQ(PathOf(FindConnectedAPItem(view, "X", "AP1")), kN2 + " > ConnectedAP: IED: X AP: AP1");
    EXPECT_EQ(FindConnectedAPItem(view, "S", "ap1"), nullptr);
    view.Select(Find(kS1 + " > LN: GGIO1 > DO: Ind1 > DA: q"));
    EXPECT_EQ(SelectedIEDName(view), "S");
    EXPECT_EQ(SelectedSubNetworkName(view), "");
    view.Select(Find(kN2 + " > ConnectedAP: IED: S AP: AP2 > GSE > Address"));
    EXPECT_EQ(SelectedIEDName(view), "");
    EXPECT_EQ(SelectedSubNetworkName(view), "N2");

    RemoveConnectedAPsOfIED(view, "S");
    EXPECT_EQ(view.Selected(), nullptr);
    EXPECT_EQ(ChildLabels(Find(kN2)), (Labels{"ConnectedAP: IED: X AP: AP1"}));
    for (const char* network : {"N1", "N2"})
        for (xmlNode* ap : ElementChildren(view.Record(Find("Communication > SubNetwork: " + std::string(network)))->node))
            EXPECT_STRNE(GetAttribute(ap, "iedName"), "S") << network;
    EXPECT_EQ(CheckedItemCount(), doc.ItemRecordCount());

    Load(R"(<IED name="A"/><SubNetwork name="N"><ConnectedAP iedName="A" apName="P"/></SubNetwork>)");
    EXPECT_EQ(FindConnectedAPItem(view, "A", "P"), nullptr);  // no Communication
}

TEST_F(LookupProject, LogicalNodesDataAndDatasetMembers)
{
    TreeItem* ld = FindLDeviceItem(view, Find("IED: S > AccessPoint: AP1"), "LD0");
    EXPECT_EQ(PathOf(FindLNItem(view, ld, "LLN0")), kS1LLN0);
    EXPECT_EQ(PathOf(FindLNItem(view, ld, "Q0XCBR1")), kS1 + " > LN: Q0XCBR1");
    EXPECT_EQ(FindLNItem(view, ld, "XCBR1"), nullptr);

    auto data = [&](const char* ref, const char* doName, const char* daName) {
        return PathOf(FindDataItem(view, ld->Parent(), "LD0", ref, doName, daName));
    };
    const std::string pos = kS1 + " > LN: Q0XCBR1 > DO: Pos";
    // The Go to tests follow the usual paths.
    EXPECT_EQ(data("Q0XCBR1", "", ""), kS1 + " > LN: Q0XCBR1");
    EXPECT_EQ(data("Q0XCBR1", ".Pos..sub", "st..orIdent."), pos + " > SDO: sub > DA: st > BDA: orIdent");
    EXPECT_EQ(data("Q0XCBR1", "Pos.stVal", ""), "");  // a DA is no sub-data object
    EXPECT_EQ(data("Q0XCBR1", "Pos", "sub"), "");      // nor an SDO an attribute

    TreeItem* ds1 = Find(kS1LLN0 + " > DataSet: DS1");
    EXPECT_EQ(FindFCDAItem(view, ds1, "LD0", "GGIO1", "Ind1", ""), FCDAItemAt(view, ds1, 0));
    EXPECT_EQ(FindFCDAItem(view, ds1, "LD0", "GGIO1", "Ind1", "q"), FCDAItemAt(view, ds1, 1));
    EXPECT_EQ(FindFCDAItem(view, ds1, "LD1", "GGIO1", "Ind1", ""), nullptr);
    EXPECT_EQ(CountFCDAItems(view, ds1), 6);
    EXPECT_EQ(FCDAItemAt(view, ds1, 6), nullptr);

    Load(R"(<IED name="A"><AccessPoint name="P"><Server><LDevice inst="L1"/></Server>
<Server><LDevice inst="L2"/></Server></AccessPoint></IED>)");
    EXPECT_EQ(FindLDeviceItem(view, Find("AccessPoint: P"), "L2"), nullptr);  // only the first Server
}

// A log line finds the item of the element it names on that line of the project, or
// of the element's nearest shown ancestor.
TEST_F(TreeTest, LogLinesFindTheItemOfTheirElement)
{
    LoadFixture();
    const std::string kAP = "Communication > SubNetwork: N1 > ConnectedAP: IED: P1 AP: AP1";
    const std::pair<const char*, std::string> cases[] = {
        {"test.scd:6: element Bay: Schemas validity error : x", "Substation: S1 > VoltageLevel: V1 > Bay: B1"},
        {"test.scd:6: Schemas validity error : x", "Substation: S1 > VoltageLevel: V1"},
        {"test.scd:12: element P: Schemas validity error : x", kAP + " > GSE > Address"},
        {"test.scd:12: element Missing: x", kAP + " > GSE"},
        {"test.scd:64: element DA: x", "IED: P1 > AccessPoint: AP1 > Server > LD: LD0 > LN: LLN0 > DO: Mod > DA: stVal"},
        {"test.scd:4: element Hitem: x", ""},
        {"test.scd:2: x", ""},
        {"other.scd:6: element Bay: x", ""},
        {"Error: dataset DS1 referenced by: LD0/LLN0.gcb1 not found", ""},
    };
    for (const auto& [line, path] : cases) EXPECT_EQ(PathOf(FindItemOfLogLine(view, line)), path) << line;
}

// The name index behind FindIEDItem and the ConnectedAP lookups must give, after
// every change of the items, what a freshly built index gives (whose rules
// the tests above check). Each check leaves a built index for the next change.
class LookupIndexTest : public LookupProject {
protected:
    std::vector<const TreeItem*> Lookups() const
    {
        std::vector<const TreeItem*> found;
        for (const char* ied : {"R", "S", "X", "TS", "N", ""}) {
            found.push_back(FindIEDItem(view, ied));
            for (const char* ap : {"AP1", "AP2", ""}) {
                found.push_back(FindConnectedAPItem(view, ied, ap));
                found.push_back(FindSubNetworkOfConnectedAP(view, ied, ap));
            }
        }
        return found;
    }
    void ExpectCurrent(const char* step) const
    {
        std::vector<const TreeItem*> followed = Lookups();
        view.LookupIndex().Invalidate();
        EXPECT_EQ(followed, Lookups()) << step;
    }
};

TEST_F(LookupIndexTest, FollowsInsertsRemovalsReplacementsAndRebuilds)
{
    ExpectCurrent("loaded");
    TreeItem* front = view.InsertIEDItem(AppendXml(doc.Root(), R"(<IED name="S"/>)"), 0);
    EXPECT_EQ(FindIEDItem(view, "S"), front);  // the first in tree order
    ExpectCurrent("second S in front");
    view.ReleaseItemRecords(front);
    view.DeleteItem(front);
    ExpectCurrent("deleted");
    xmlNode* empty = FindChildElement(FindChildElement(doc.Root(), "Communication"), "SubNetwork");
    TreeItem* ap = view.InsertConnectedAPItem(AppendXml(empty, R"(<ConnectedAP iedName="S" apName="AP1"/>)"), "Empty", 0);
    ExpectCurrent("S/AP1 in the first subnetwork");
    view.InsertSubNetworkItem(AppendXml(empty->parent, R"(<SubNetwork><ConnectedAP iedName="N" apName="AP2"/></SubNetwork>)"));
    ExpectCurrent("subnetwork added");
    view.ReplaceConnectedAPItem("Empty", AppendXml(empty, R"(<ConnectedAP iedName="X" apName="AP2"/>)"),
                                view.Record(ap)->node);
    ExpectCurrent("ConnectedAP replaced");
    view.ReplaceIEDItem(AppendXml(doc.Root(), R"(<IED name="N"/>)"), view.Record(FindIEDItem(view, "X"))->node);
    ExpectCurrent("IED replaced");
    RemoveConnectedAPsOfIED(view, "S");
    ExpectCurrent("ConnectedAPs of S removed");

    // Adding inputs between lookups, as connecting many inputs does, keeps the index.
    LoadFixture("lookup_project.scd");
    FindIEDItem(view, "S");
    size_t builds = view.LookupIndex().BuildCount();
    TreeItem* inputs = Find(kRInputs);
    for (int i = 0; i < 3; ++i) {
        view.BuildChildItems(AppendXml(view.Record(inputs)->node, R"(<ExtRef iedName="S"/>)"), inputs);
        EXPECT_NE(FindConnectedAPItem(view, "S", "AP1"), nullptr);
    }
    EXPECT_EQ(view.LookupIndex().BuildCount(), builds);
}

const std::string kR = kRInputs + " > ExtRef: S";  // R's inputs from S
const std::string kX = "IED: X > AccessPoint: AP1 > Server > LD: LD0 > LN: LLN0 > Inputs > ExtRef: SLD0/GGIO1.Ind1.stVal";
const std::string kCB = kS1LLN0 + " > ";
const std::string kSAP1 = kN1 + " > ConnectedAP: IED: S AP: AP1";
const std::string kSAP2 = kN2 + " > ConnectedAP: IED: S AP: AP2";

class GoToTest : public LookupProject {
protected:
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
