#include "datasets/dataset_commands.h"
#include "datasets/fc_select_dialog.h"
#include "document/log_dialogs.h"
#include "document/xml_access.h"
#include "project_tree/item_access.h"
#include "project_tree/tree_fixture.h"
#include "structure/structure_edit.h"

namespace {

const std::string kCtrl = "IED: P > AccessPoint: AP > Server > LD: CTRL > LN: ";
const std::vector<std::string> kPos{"LD: CTRL", "LN: Q0XCBR1", "DO: Pos"};

// The project of tests/data/datasets_dyn.scd; every edit must update the items without
// a rebuild of the whole tree.
class DynDatasetTest : public TreeTest, TreeObserver {
protected:
    int resets = 0;
    void OnBeginReset() override { ++resets; }
    void SetUp() override
    {
        LoadText(ReadFileText(TestDataPath("datasets_dyn.scd")));
        view.AddObserver(this);
    }
    void TearDown() override
    {
        view.RemoveObserver(this);
        EXPECT_EQ(resets, 0);
    }
    // The data node of the labels of `path`, each found after the one before in the
    // data tree's pre-order.
    static int NodeAt(const CDynDatasetDialog& dialog, const std::vector<std::string>& path)
    {
        size_t node = 0;
        for (const std::string& label : path)
            while (node < dialog.DataNodes().size() && dialog.DataNodes()[node].label != label) ++node;
        return node < dialog.DataNodes().size() ? static_cast<int>(node) : -1;
    }
    // Presses Add on the node; returns the new element text or the message shown.
    std::string Add(CDynDatasetDialog& dialog, const std::vector<std::string>& path)
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

// The data tree leaves out datasets and control blocks; Add takes the path and the
// constraint (asked for when a data object has both); a member is refused when present
// in any letter case or when it is not ST or MX data.
TEST_F(DynDatasetTest, DataTreeAndAdd)
{
    std::vector<std::string> offered;
    ui.onDialog = [&offered](DialogModel& model) {
        auto& choice = dynamic_cast<CFCSelDialog&>(model);
        offered = choice.Candidates();
        choice.selection = 1;
        return true;
    };
    CDynDatasetDialog dialog = ExistingDatasetDialog(view, Find("DataSet: Used"));
    const DataNode& lln0 = dialog.DataNodes()[static_cast<size_t>(NodeAt(dialog, {"LD: CTRL", "LN: LLN0"}))];
    ASSERT_EQ(lln0.children.size(), 1u);
    EXPECT_EQ(dialog.DataNodes()[static_cast<size_t>(lln0.children[0])].label, "DO: Beh");
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
    for (const auto& c : cases) EXPECT_EQ(Add(dialog, c.path), c.result) << c.path.back();
    EXPECT_EQ(offered, (std::vector<std::string>{"ST", "MX"}));
    EXPECT_EQ(dialog.Origins(), (std::vector<int>{0, 1, -1, -1, -1, -1}));
    EXPECT_EQ(ui.messages.back().icon, MessageIcon::Warning);

    // Cancel of the constraint choice adds nothing.
    ui.onDialog = nullptr;
    dialog.SelectElement(1);
    dialog.DeleteSelected();
    EXPECT_EQ(Add(dialog, kPos), "nothing");
    EXPECT_EQ(dialog.Elements().size(), 5u);
}

// The data tree opens at the logical node of the command, in its own logical device;
// Add needs a data node and room below a hundred members; the selection follows the
// moves and deletions.
TEST_F(DynDatasetTest, ButtonsFollowTheListAndTheLimitOfAHundred)
{
    CDynDatasetDialog other = ExistingDatasetDialog(view, Find("DataSet: Other"));
    EXPECT_EQ(other.SelectedDataNode(), NodeAt(other, {"LD: PROT", "LN: LLN0"}));
    CDynDatasetDialog fresh = NewDatasetDialog(view, Find(kCtrl + "MMXU1"));
    EXPECT_EQ(fresh.SelectedDataNode(), NodeAt(fresh, {"LD: CTRL", "LN: MMXU1"}));
    EXPECT_FALSE(fresh.CanAdd() || fresh.CanDelete() || fresh.CanMoveUp() || fresh.CanMoveDown());
    fresh.SelectDataElement(ItemElement(view, Find("DataSet: Used")));  // not in the data tree
    EXPECT_EQ(fresh.SelectedDataNode(), -1);
    fresh.SelectDataNode(NodeAt(fresh, {"LD: CTRL", "LN: MMXU1", "DO: PhV", "SDO: phsA"}));
    EXPECT_TRUE(fresh.CanAdd());

    std::vector<DatasetElement> many(99, DatasetElement{"GGIO", "1", "", "L", "Ind", "stVal", "ST"});
    for (size_t i = 0; i < many.size(); ++i) many[i].doName += std::to_string(i);
    CDynDatasetDialog dialog(view, FindIEDItem(view, "P"), "GGIO1", "X", many);
    EXPECT_EQ(Add(dialog, {"LD: CTRL", "LN: Q0XCBR1", "DO: Pos", "DA: q"}), "CTRL/Q0XCBR1.Pos.q [ST]");
    EXPECT_FALSE(dialog.CanAdd()) << "the 100th member";
    EXPECT_EQ(Add(dialog, kPos), "Dynamic dataset can have up to 100 elements!");
    EXPECT_EQ(dialog.SelectedElement(), 99);
    EXPECT_TRUE(dialog.CanMoveUp() && !dialog.CanMoveDown());
    dialog.MoveUp();
    EXPECT_EQ(dialog.ElementTexts()[98], "CTRL/Q0XCBR1.Pos.q [ST]");
    dialog.DeleteSelected();
    EXPECT_EQ(dialog.SelectedElement(), 97);
    EXPECT_TRUE(dialog.CanAdd());
    dialog.SelectElement(0);
    dialog.DeleteSelected();
    EXPECT_EQ(dialog.SelectedElement(), -1) << "none after the first was removed";
    EXPECT_EQ(dialog.Origins().front(), 1);

    // More than a hundred members open with Add disabled, can be accepted, and
    // enable Add again once fewer than a hundred are left.
    many.resize(101, many.front());
    CDynDatasetDialog full(view, FindIEDItem(view, "P"), "GGIO1", "X", many);
    EXPECT_EQ(full.Accept(), "");
    for (bool canAdd : {false, false, true}) {
        EXPECT_EQ(full.CanAdd(), canAdd) << full.Elements().size();
        full.SelectElement(0);
        full.DeleteSelected();
    }
}

// The names in use are those of the datasets of every LN of that name in the IED,
// save the dataset's own; the reserved ones only in LLN0 and as written.
TEST_F(DynDatasetTest, AcceptChecksInOrder)
{
    const DatasetElement member{"GGIO", "1", "", "L", "Ind", "stVal", "ST"};
    const std::string blanks = " cannot hold \".\", \"$\", \"/\" or blanks!";
    const std::string controls = "Dataset name cannot hold control characters or bytes that are not UTF-8!";
    const struct {
        const char* ln;
        bool empty;
        std::string name, message;
    } cases[] = {
        {"LLN0", true, "", "Dataset cannot be empty!"},
        {"LLN0", false, "", "Dataset name cannot be empty!"},
        {"LLN0", false, "DS1", "Dataset name: LLN0.DS1 is reserved for built in dataset!"},
        {"LLN0", false, "ds1", ""},
        {"GGIO1", false, "DS1", ""},
        {"LLN0", false, "Other", "Dataset name: Other is already used!"},
        {"Q0XCBR1", false, "Other", ""},
        {"LLN0", false, "Used", ""},
        {"LLN0", false, "A.B", "Dataset name: A.B" + blanks},
        {"LLN0", false, "A$B", "Dataset name: A$B" + blanks},
        {"LLN0", false, "A/B", "Dataset name: A/B" + blanks},
        {"LLN0", false, "A B", "Dataset name: A B" + blanks},
        {"LLN0", false, "A\x1b[31m", controls},
        {"LLN0", false, "A\nB", controls},
        {"LLN0", false, "A\xFF", controls},
    };
    for (const auto& c : cases) {
        CDynDatasetDialog dialog(view, FindIEDItem(view, "P"), c.ln, "Used",
                                 c.empty ? std::vector<DatasetElement>{} : std::vector<DatasetElement>{member});
        dialog.name = c.name;
        EXPECT_EQ(dialog.Accept(), c.message) << c.ln << "." << c.name;
    }
}

// Modify: members kept keep their element with all it holds; a new name reaches every
// control block naming the dataset. Create: the dataset goes to its schema place.
TEST_F(DynDatasetTest, ModifyAndCreateWriteTheDataset)
{
    TreeItem* used = Find("DataSet: Used");
    xmlNode* dataset = view.Record(used)->node;
    const std::string keptMember = Serialized(FindChildElement(dataset, "FCDA"));
    CDynDatasetDialog dialog = ExistingDatasetDialog(view, used);
    EXPECT_EQ(dialog.ElementTexts(), (std::vector<std::string>{"CTRL/Q0XCBR1.pos.STVAL [ST]", "CTRL/LLN0.Beh.stVal [ST]"}));
    Add(dialog, {"LD: CTRL", "LN: Q0XCBR1", "DO: Pos", "DA: q"});
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

    // Create writes the new dataset at its schema place.
    std::string name = "New";
    std::vector<std::vector<std::string>> members = {{"LD: CTRL", "LN: LLN0", "DO: Beh"},
                                                     {"LD: CTRL", "LN: Q0XCBR1", "DO: Pos", "DA: stVal"}};
    ui.onDialog = [&](DialogModel& model) {
        auto& asked = dynamic_cast<CDynDatasetDialog&>(model);
        for (const auto& path : members) Add(asked, path);
        asked.name = name;
        return true;
    };
    view.Select(Find(kCtrl + "Q0XCBR1"));
    ASSERT_TRUE(OnCreateDataset(view, ui));
    xmlNode* created = NodeOf("DataSet: New");
    EXPECT_EQ(Serialized(created),
              "<DataSet name=\"New\"><FCDA ldInst=\"CTRL\" prefix=\"\" lnClass=\"LLN0\" doName=\"Beh\" fc=\"ST\"/>"
              "<FCDA ldInst=\"CTRL\" prefix=\"Q0\" lnClass=\"XCBR\" lnInst=\"1\" doName=\"Pos\" daName=\"stVal\" "
              "fc=\"ST\"/></DataSet>");
    EXPECT_TRUE(IsElementNamed(xmlPreviousElementSibling(created), "Private")) << "after the leading Private";
    EXPECT_EQ(created->ns, created->parent->ns);
    EXPECT_EQ(ChildLabels(Find(kCtrl + "Q0XCBR1")), (Labels{"DO: Pos", "DO: Cfg", "DataSet: New"}));
    EXPECT_EQ(Find(kCtrl + "Q0XCBR1")->Label(), "LN: Q0XCBR1 [D]");
    EXPECT_EQ(ChildLabels(Find("DataSet: New")).size(), 2u);

    // A refused name shows the refusal; in LLN0 the new dataset follows the existing ones.
    members.resize(1);
    name = "DS1";
    view.Select(Find(kCtrl + "LLN0"));
    EXPECT_FALSE(OnCreateDataset(view, ui));
    EXPECT_EQ(ui.messages.back().text, "Dataset name: LLN0.DS1 is reserved for built in dataset!");
    name = "Last";
    ASSERT_TRUE(OnCreateDataset(view, ui));
    EXPECT_STREQ(GetAttribute(xmlPreviousElementSibling(NodeOf("DataSet: Last")), "name"), "Renamed");
    EXPECT_EQ(CheckedItemCount(), doc.ItemRecordCount());
}

// Modify lists the inputs of other IEDs, on any subnetwork, that take a member of a
// GOOSE dataset whose members changed, a new order included (their indexes move); a
// rename alone lists none. Delete lists them too. A dataset that no GSEControl
// publishes has no subscribers.
TEST_F(TreeTest, ModifyAndDeleteListTheSubscribersOfAGooseDataset)
{
    const std::string p1 = "IED: P1 > AccessPoint: AP1 > Server > LD: LD0 > LN: LLN0 > DataSet: DS1";
    const std::string p = "IED: P > AccessPoint: AP1 > Server > LD: QB2 > LN: LLN0 > DataSet: DS";
    const std::string pr = "IED: P > AccessPoint: AP1 > Server > LD: QB2 > LN: LLN0 > DataSet: RDS";
    const std::string s = "Warning: IED S: input NI1:01-0C-CD-01-00-09:0009:1:0:Pgcb (P QB1/CSWI1.Pos.stVal) "
                          "subscribes to GSEControl gcb of the ";
    const std::vector<std::string> r = {"Warning: IED R: input NI1:01-0C-CD-01-00-01:0001:2:0:P1gcb1 (P1 "
                                        "LD0/GGIO1.Ind1.stVal) subscribes to GSEControl gcb1 of the modified "
                                        "dataset DS1: check its connected address",
                                        "IED R: input NI2:", "IED R: input ANI3:", "IED R: input NI4 "};
    const struct {
        const char* fixture;
        const std::string& dataset;
        const char* action;
        std::vector<std::string> lines;  // each holds the text given
        const char* from = "";  // a text of the fixture, replaced by `to`
        const char* to = "";
    } rows[] = {
        {"goose_connected.scd", p1, "rename", {}},
        {"goose_connected.scd", p1, "remove first", r},
        {"goose_connected.scd", p1, "delete", {"IED R: input NI1:", "IED R: input NI2:", "IED R: input ANI3:",
                                               "IED R: input NI4 (P1 LD0/GGIO1.Ind2.stVal) subscribes to GSEControl "
                                               "gcb1 of the removed dataset DS1"}},
        {"goose_across_ld.scd", p, "reorder", {s + "modified dataset DS: check its connected address"}},
        // R's input names a prefixed CSWI1
        {"goose_across_ld.scd", p, "delete", {s + "removed dataset DS"}, R"(<ExtRef intAddr="NI3"/>)",
         R"(<ExtRef iedName="P" ldInst="QB1" prefix="A" lnClass="CSWI" lnInst="1" doName="Pos" daName="stVal"/>)"},
        {"goose_across_ld.scd", pr, "delete", {}},  // published by reports only
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.fixture) + " " + row.action + " " + row.dataset);
        std::string text = ReadFileText(TestDataPath(row.fixture));
        if (*row.from) text.replace(text.find(row.from), std::string(row.from).size(), row.to);
        LoadText(text);
        TreeItem* dataset = Find(row.dataset);
        std::vector<std::string> lines;
        if (std::string(row.action) == "delete") {
            view.Select(dataset);
            ASSERT_TRUE(DeleteSelectedItem(view, &lines));
        } else {
            CDynDatasetDialog dialog = ExistingDatasetDialog(view, dataset);
            dialog.name = "Renamed";
            dialog.SelectElement(0);
            if (std::string(row.action) == "reorder") dialog.MoveDown();
            if (std::string(row.action) == "remove first") dialog.DeleteSelected();
            lines = ModifyDataset(view, dataset, dialog);
        }
        EXPECT_EQ(lines.size(), row.lines.size()) << (lines.empty() ? "" : lines[0]);
        for (size_t i = 0; i < std::min(lines.size(), row.lines.size()); ++i) EXPECT_NE(lines[i].find(row.lines[i]), std::string::npos) << lines[i];
    }
}

}  // namespace
