#include "core/log_dialogs.h"
#include "core/xml_access.h"
#include "datasets/dataset_commands.h"
#include "datasets/fc_select_dialog.h"
#include "support/fake_ui.h"
#include "tree/scl_lookups.h"
#include "tree/tree_fixture.h"

namespace {

// LD CTRL: LLN0 with a reserved and a used dataset, Q0XCBR1 with a Private, MMXU1;
// LD PROT: an LLN0 with another dataset. Pos offers ST and MX, Cfg neither.
const char* const kProject = R"(
<IED name="P"><AccessPoint name="AP"><Server><Authentication/>
<LDevice inst="CTRL"><LN0 lnClass="LLN0" inst="" lnType="L0"><Private type="p"/><DataSet name="DS1"/>
<DataSet name="Used"><Private type="keep"/><FCDA ldInst="CTRL" prefix="Q0" lnClass="XCBR" lnInst="1" doName="pos" daName="STVAL" fc="ST" ix="2"/>
<FCDA ldInst="CTRL" lnClass="LLN0" doName="Beh" daName="stVal" fc="ST"/></DataSet>
<ReportControl name="rc" datSet="Used"/><GSEControl name="g" datSet="Used"/></LN0>
<LN prefix="Q0" lnClass="XCBR" inst="1" lnType="XCBR"><Private type="p"/></LN>
<LN lnClass="MMXU" inst="1" lnType="MMXU"/></LDevice>
<LDevice inst="PROT"><LN0 lnClass="LLN0" inst="" lnType="L0"><DataSet name="Other"/></LN0></LDevice>
</Server></AccessPoint></IED>
<DataTypeTemplates>
<LNodeType id="L0" lnClass="LLN0"><DO name="Beh" type="ENS"/></LNodeType>
<LNodeType id="XCBR" lnClass="XCBR"><DO name="Pos" type="DPC"/><DO name="Cfg" type="CFG"/></LNodeType>
<LNodeType id="MMXU" lnClass="MMXU"><DO name="PhV" type="WYE"/></LNodeType>
<DOType id="ENS" cdc="ENS"><DA name="stVal" fc="ST" bType="INT32"/></DOType>
<DOType id="DPC" cdc="DPC"><DA name="ctlModel" fc="CF" bType="INT32"/><DA name="stVal" fc="ST" bType="INT32"/>
<DA name="q" fc="ST" bType="Quality"/><DA name="val" fc="MX" bType="INT32"/></DOType>
<DOType id="CFG" cdc="SPG"><DA name="setVal" fc="SP" bType="BOOLEAN"/><DA name="d" fc="DC" bType="VisString255"/></DOType>
<DOType id="WYE" cdc="WYE"><SDO name="phsA" type="CMV"/></DOType>
<DOType id="CMV" cdc="CMV"><DA name="cVal" fc="MX" bType="Struct" type="Vector"/></DOType>
<DAType id="Vector"><BDA name="mag" bType="Struct" type="AV"/></DAType>
<DAType id="AV"><BDA name="f" bType="FLOAT32"/></DAType>
</DataTypeTemplates>)";

// Counts the rebuilds of the whole tree.
struct ResetCounter : TreeObserver {
    int resets = 0;
    void OnBeginReset() override { ++resets; }
};

class DynDatasetTest : public TreeTest {
protected:
    ResetCounter counter;
    void SetUp() override
    {
        Load(kProject);
        view.AddObserver(&counter);
    }
    void TearDown() override
    {
        view.RemoveObserver(&counter);
        EXPECT_EQ(counter.resets, 0) << "the items follow each edit without a rebuild";
    }

    TreeItem* LN(const std::string& ld, const std::string& ln)
    {
        return FindLNItem(view, FindLDeviceItem(view, FindAccessPointItem(view, FindIEDItem(view, "P"), "AP"), ld), ln);
    }
    // The data node reached by the labels of `path` from the top of the data tree.
    static int NodeAt(const CDynDatasetDialog& dialog, const std::vector<std::string>& path)
    {
        const std::vector<int>* level = &dialog.DataRoots();
        int found = -1;
        for (const std::string& label : path) {
            found = -1;
            for (int index : *level)
                if (dialog.DataNodes()[static_cast<size_t>(index)].label == label) found = index;
            if (found < 0) return -1;
            level = &dialog.DataNodes()[static_cast<size_t>(found)].children;
        }
        return found;
    }
    // Presses Add on the node; returns the new element text or the message shown.
    static std::string Add(CDynDatasetDialog& dialog, FakeUi& ui, const std::vector<std::string>& path)
    {
        dialog.SelectDataNode(NodeAt(dialog, path));
        size_t messages = ui.messages.size();
        if (dialog.AddSelected(ui)) return dialog.ElementTexts().back();
        return ui.messages.size() > messages ? ui.messages.back().text : "nothing";
    }
    static std::string Serialized(xmlNode* node)
    {
        xmlBuffer* buffer = xmlBufferCreate();
        xmlNodeDump(buffer, node->doc, node, 0, 0);
        std::string text(reinterpret_cast<const char*>(xmlBufferContent(buffer)));
        xmlBufferFree(buffer);
        return text;
    }
};

const std::vector<std::string> kPos{"LD: CTRL", "LN: Q0XCBR1", "DO: Pos"};

TEST_F(DynDatasetTest, DataTreeAndUsedNames)
{
    CDynDatasetDialog dialog = NewDatasetDialog(view, LN("CTRL", "LLN0"));
    ASSERT_EQ(dialog.DataRoots().size(), 2u);
    EXPECT_EQ(dialog.SelectedDataNode(), dialog.DataRoots()[0]);
    EXPECT_FALSE(dialog.CanAdd() || dialog.CanDelete() || dialog.CanMoveUp() || dialog.CanMoveDown());
    EXPECT_EQ(dialog.UsedNames(), (std::vector<std::string>{"DS1", "Used", "Other"})) << "every LLN0 of the IED";
    std::vector<std::string> lln0;
    for (int child : dialog.DataNodes()[static_cast<size_t>(NodeAt(dialog, {"LD: CTRL", "LN: LLN0"}))].children)
        lln0.push_back(dialog.DataNodes()[static_cast<size_t>(child)].label);
    EXPECT_EQ(lln0, (std::vector<std::string>{"DO: Beh"})) << "no datasets or control blocks";
    EXPECT_EQ(NewDatasetDialog(view, LN("CTRL", "Q0XCBR1")).UsedNames(), std::vector<std::string>{});
    dialog.SelectDataNode(NodeAt(dialog, {"LD: CTRL", "LN: MMXU1", "DO: PhV", "SDO: phsA"}));
    EXPECT_TRUE(dialog.CanAdd());
}

TEST_F(DynDatasetTest, AddTakesThePathAndTheFunctionalConstraint)
{
    FakeUi ui;
    std::vector<std::string> offered;
    ui.onDialog = [&offered](DialogModel& model) {
        auto& choice = dynamic_cast<CFCSelDialog&>(model);
        offered = choice.Candidates();
        choice.selection = 1;
        return true;
    };
    CDynDatasetDialog dialog = ExistingDatasetDialog(view, Find("DataSet: Used"));
    const std::string onlySTMX = "Only data with fuctional constraint ST or MX can be added to datasets!";
    const struct {
        std::vector<std::string> path;
        std::string result;
    } cases[] = {
        {{"LD: CTRL", "LN: Q0XCBR1", "DO: Pos", "DA: stVal"}, "Element is already present in dataset"},
        {kPos, "CTRL/Q0XCBR1.Pos [MX]"},
        {{"LD: CTRL", "LN: Q0XCBR1", "DO: Pos", "DA: q"}, "CTRL/Q0XCBR1.Pos.q [ST]"},
        {{"LD: CTRL", "LN: Q0XCBR1", "DO: Pos", "DA: ctlModel"}, onlySTMX},
        {{"LD: CTRL", "LN: Q0XCBR1", "DO: Cfg"}, onlySTMX},
        {{"LD: CTRL", "LN: MMXU1", "DO: PhV", "SDO: phsA", "DA: cVal", "BDA: mag", "BDA: f"},
         "CTRL/MMXU1.PhV.phsA.cVal.mag.f [MX]"},
        {{"LD: CTRL", "LN: MMXU1", "DO: PhV"}, "CTRL/MMXU1.PhV [MX]"},
        {{"LD: CTRL", "LN: MMXU1"}, onlySTMX},
    };
    for (const auto& c : cases) EXPECT_EQ(Add(dialog, ui, c.path), c.result) << c.path.back();
    EXPECT_EQ(offered, (std::vector<std::string>{"ST", "MX"}));
    EXPECT_EQ(dialog.Origins(), (std::vector<int>{0, 1, -1, -1, -1, -1}));
    EXPECT_EQ(ui.messages.back().icon, MessageIcon::Warning);

    // Cancel of the FC dialog adds nothing.
    ui.onDialog = nullptr;
    dialog.SelectDataNode(NodeAt(dialog, kPos));
    dialog.DeleteSelected();
    EXPECT_FALSE(dialog.AddSelected(ui));
    EXPECT_EQ(dialog.Elements().size(), 5u);
}

TEST_F(DynDatasetTest, ButtonsFollowTheListAndTheLimitOfAHundred)
{
    FakeUi ui;
    std::vector<DatasetElement> many(99, DatasetElement{"GGIO", "1", "", "L", "Ind", "stVal", "ST"});
    for (size_t i = 0; i < many.size(); ++i) many[i].doName += std::to_string(i);
    CDynDatasetDialog dialog(view, FindIEDItem(view, "P"), "GGIO1", "X", many);
    EXPECT_TRUE(dialog.CanDelete());
    EXPECT_EQ(Add(dialog, ui, {"LD: CTRL", "LN: Q0XCBR1", "DO: Pos", "DA: q"}), "CTRL/Q0XCBR1.Pos.q [ST]");
    EXPECT_FALSE(dialog.CanAdd()) << "the 100th member";
    dialog.SelectDataNode(NodeAt(dialog, kPos));
    EXPECT_TRUE(dialog.CanAdd());
    EXPECT_EQ(Add(dialog, ui, kPos), "Dynamic dataset can have up to 100 elements!");

    EXPECT_EQ(dialog.SelectedElement(), 99);
    EXPECT_TRUE(dialog.CanMoveUp());
    EXPECT_FALSE(dialog.CanMoveDown());
    dialog.MoveUp();
    EXPECT_EQ(dialog.SelectedElement(), 98);
    EXPECT_EQ(dialog.ElementTexts()[98], "CTRL/Q0XCBR1.Pos.q [ST]");
    dialog.DeleteSelected();
    EXPECT_EQ(dialog.SelectedElement(), 97);
    EXPECT_TRUE(dialog.CanAdd());
    dialog.SelectElement(0);
    dialog.DeleteSelected();
    EXPECT_EQ(dialog.SelectedElement(), -1) << "none after the first was removed";
    EXPECT_EQ(dialog.Origins().front(), 1);

    // More than a hundred members open with Add disabled and can be accepted.
    many.resize(101, many.front());
    CDynDatasetDialog full(view, FindIEDItem(view, "P"), "GGIO1", "X", many);
    EXPECT_FALSE(full.CanAdd());
    EXPECT_EQ(full.Accept(), "");
    // Deleting enables Add again once fewer than a hundred are left.
    for (bool canAdd : {false, true}) {
        full.SelectElement(0);
        full.DeleteSelected();
        EXPECT_EQ(full.CanAdd(), canAdd) << full.Elements().size();
    }
}

TEST_F(DynDatasetTest, AcceptChecksInOrder)
{
    const DatasetElement member{"GGIO", "1", "", "L", "Ind", "stVal", "ST"};
    const struct {
        const char* ln;
        bool empty;
        const char* name;
        const char* message;
    } cases[] = {
        {"LLN0", true, "", "Dataset cannot be empty!"},
        {"LLN0", false, "", "Dataset name cannot be empty!"},
        {"LLN0", true, "New", "Dataset cannot be empty!"},
        {"LLN0", false, "DS1", "Dataset name: LLN0.DS1 is reserved for built in dataset!"},
        {"LLN0", false, "DSG2", "Dataset name: LLN0.DSG2 is reserved for built in dataset!"},
        {"LLN0", false, "ds1", ""},
        {"GGIO1", false, "DS1", ""},
        {"LLN0", false, "Other", "Dataset name: Other is already used!"},
        {"LLN0", false, "Used", ""},  // the dataset's own name
        {"LLN0", false, "A.B", "Dataset name: A.B cannot hold \".\", \"$\", \"/\" or blanks!"},
        {"LLN0", false, "A$B", "Dataset name: A$B cannot hold \".\", \"$\", \"/\" or blanks!"},
        {"LLN0", false, "A/B", "Dataset name: A/B cannot hold \".\", \"$\", \"/\" or blanks!"},
        {"LLN0", false, "A B", "Dataset name: A B cannot hold \".\", \"$\", \"/\" or blanks!"},
    };
    for (const auto& c : cases) {
        CDynDatasetDialog dialog(view, FindIEDItem(view, "P"), c.ln, "Used",
                                 c.empty ? std::vector<DatasetElement>{} : std::vector<DatasetElement>{member});
        dialog.name = c.name;
        EXPECT_EQ(dialog.Accept(), c.message) << c.ln << "." << c.name;
    }
}

TEST_F(DynDatasetTest, CreateWritesTheDatasetAtItsSchemaPlace)
{
    FakeUi ui;
    ui.onDialog = [this](DialogModel& model) {
        auto& dialog = dynamic_cast<CDynDatasetDialog&>(model);
        FakeUi inner;
        EXPECT_EQ(Add(dialog, inner, {"LD: CTRL", "LN: LLN0", "DO: Beh"}), "CTRL/LLN0.Beh [ST]");
        EXPECT_EQ(Add(dialog, inner, {"LD: CTRL", "LN: Q0XCBR1", "DO: Pos", "DA: stVal"}), "CTRL/Q0XCBR1.Pos.stVal [ST]");
        dialog.name = "New";
        EXPECT_EQ(dialog.FullName(), "Q0XCBR1.New");
        return true;
    };
    view.Select(LN("CTRL", "Q0XCBR1"));
    ASSERT_TRUE(OnCreateDataset(view, ui));
    xmlNode* dataset = NodeOf("DataSet: New");
    EXPECT_EQ(Serialized(dataset),
              "<DataSet name=\"New\"><FCDA ldInst=\"CTRL\" prefix=\"\" lnClass=\"LLN0\" doName=\"Beh\" fc=\"ST\"/>"
              "<FCDA ldInst=\"CTRL\" prefix=\"Q0\" lnClass=\"XCBR\" lnInst=\"1\" doName=\"Pos\" daName=\"stVal\" "
              "fc=\"ST\"/></DataSet>");
    EXPECT_TRUE(IsElementNamed(xmlPreviousElementSibling(dataset), "Private")) << "after the leading Private";
    EXPECT_EQ(dataset->ns, dataset->parent->ns);
    EXPECT_EQ(ChildLabels(LN("CTRL", "Q0XCBR1")), (Labels{"DO: Pos", "DO: Cfg", "DataSet: New"}));
    EXPECT_EQ(LN("CTRL", "Q0XCBR1")->Label(), "LN: Q0XCBR1 [D]");
    EXPECT_EQ(ChildLabels(Find("DataSet: New")).size(), 2u);
    EXPECT_EQ(CheckedItemCount(), doc.ItemRecordCount());
    EXPECT_TRUE(doc.IsModified());

    // A refused name shows the refusal; in LLN0 the new dataset follows the existing ones.
    std::string name = "DS1";
    ui.onDialog = [this, &name](DialogModel& model) {
        auto& dialog = dynamic_cast<CDynDatasetDialog&>(model);
        FakeUi inner;
        Add(dialog, inner, {"LD: CTRL", "LN: LLN0", "DO: Beh", "DA: stVal"});
        dialog.name = name;
        return true;
    };
    view.Select(LN("CTRL", "LLN0"));
    EXPECT_FALSE(OnCreateDataset(view, ui));
    EXPECT_EQ(ui.messages.back().text, "Dataset name: LLN0.DS1 is reserved for built in dataset!");
    name = "Last";
    ASSERT_TRUE(OnCreateDataset(view, ui));
    EXPECT_STREQ(GetAttribute(xmlPreviousElementSibling(NodeOf("DataSet: Last")), "name"), "Used");
}

TEST_F(DynDatasetTest, ModifyKeepsUnchangedMembersAndRenamesEveryReference)
{
    TreeItem* used = Find("DataSet: Used");
    xmlNode* dataset = view.Record(used)->node;
    const std::string keptMember = Serialized(FindChildElement(dataset, "FCDA"));
    CDynDatasetDialog dialog = ExistingDatasetDialog(view, used);
    EXPECT_EQ(dialog.ElementTexts(), (std::vector<std::string>{"CTRL/Q0XCBR1.pos.STVAL [ST]", "CTRL/LLN0.Beh.stVal [ST]"}));
    FakeUi ui;
    Add(dialog, ui, {"LD: CTRL", "LN: Q0XCBR1", "DO: Pos", "DA: q"});
    dialog.SelectElement(1);
    dialog.DeleteSelected();
    dialog.SelectElement(1);
    dialog.MoveUp();
    dialog.name = "Renamed";
    EXPECT_EQ(ModifyDataset(view, used, dialog), std::vector<std::string>{});

    EXPECT_EQ(used->Label(), "DataSet: Renamed");
    EXPECT_EQ(ChildLabels(used), (Labels{"FCDA: Q0XCBR1.ST.Pos.q", "FCDA: Q0XCBR1.ST.pos.STVAL"}));
    EXPECT_EQ(Serialized(xmlLastElementChild(dataset)), keptMember) << "ix and the rest kept";
    for (const char* control : {"ReportControl: rc", "GSEControl: g"})
        EXPECT_STREQ(GetAttribute(NodeOf(control), "datSet"), "Renamed") << control;
    EXPECT_EQ(CheckedItemCount(), doc.ItemRecordCount());
}

// Inputs of other IEDs wired to the GOOSE message of a modified dataset are listed.
TEST_F(TreeTest, ModifyListsTheSubscribersOfAChangedGooseDataset)
{
    LoadText(ReadFileText(TestDataPath("goose_connected.scd")));
    TreeItem* dataset = FindDataSetItem(
        view, FindLNItem(view, FindLDeviceItem(view, FindAccessPointItem(view, FindIEDItem(view, "P1"), "AP1"), "LD0"), "LLN0"),
        "DS1");
    CDynDatasetDialog unchanged = ExistingDatasetDialog(view, dataset);
    unchanged.name = "Goose";
    EXPECT_EQ(ModifyDataset(view, dataset, unchanged), std::vector<std::string>{}) << "same members";
    FakeUi ui;
    std::vector<std::string> shown;
    ui.onDialog = [&shown](DialogModel& model) {
        if (auto* log = dynamic_cast<CVerifyDialog*>(&model)) {
            shown = log->Lines();
            return true;
        }
        auto& dialog = dynamic_cast<CDynDatasetDialog&>(model);
        dialog.SelectElement(0);
        dialog.DeleteSelected();
        return true;
    };
    view.Select(dataset);
    ASSERT_TRUE(OnModifyDataset(view, ui));
    const std::string tail = " subscribes to GSEControl gcb1 of the modified dataset Goose: check its connected address";
    EXPECT_EQ(shown, (std::vector<std::string>{
                         "Warning: IED R: input NI1:01-0C-CD-01-00-01:0001:2:0:P1gcb1 (P1 LD0/GGIO1.Ind1.stVal)" + tail,
                         "Warning: IED R: input NI2:01-0C-CD-01-00-01:0001:2:1:P1gcb1 (P1 LD0/GGIO1.Ind2.stVal)" + tail,
                         "Warning: IED R: input ANI3:01-0C-CD-01-00-01:0001:2:2:P1gcb1 (P1 LD0/MMXU1.TotW.mag)" + tail,
                         "Warning: IED R: input NI4 (P1 LD0/GGIO1.Ind2.stVal)" + tail}));
}

}  // namespace
