#include "document/tree_edit.h"
#include "document/xml_access.h"
#include "project_tree/tree_fixture.h"
#include "project_tree/tree_observer.h"
#include "property_grid/property_grid_model.h"
#include "property_view/property_view_logic.h"

#include <algorithm>
#include <optional>

using Lines = std::vector<std::string>;
using EditOutcome = PropertyViewLogic::EditOutcome;

// The project of tests/data/property_view.scd and the property view over a grid model.
class PropertyViewTest : public TreeTest, TreeObserver {
protected:
    PropertyGridModel grid;
    PropertyViewLogic logic{view, grid, ui};
    Lines relabelled;  // the labels the tree was told to show again

    void OnRelabelled(TreeItem* item) override { relabelled.push_back(item->Label()); }
    void SetUp() override
    {
        view.AddObserver(this);
        LoadFixture("property_view.scd");
    }
    void TearDown() override { view.RemoveObserver(this); }
    TreeItem* Select(const std::string& label)
    {
        TreeItem* item = Find(label);
        view.Select(item);
        return item;
    }
    xmlNode* Selected() const { return view.SelectedRecord()->node; }
    // What the document holds behind a row: the attribute of the shown element or of
    // its child named by the section, or the text of the address's P of that type.
    std::optional<std::string> Stored(const std::string& title, const std::string& label) const
    {
        xmlNode* element = ElementName(Selected()) == title ? Selected() : FindChildElement(Selected(), title.c_str());
        if (title == "Address")
            for (xmlNode* p : ElementChildren(element))
                if (GetAttribute(p, "type") == label) return GetElementText(p);
        if (!xmlHasNsProp(element, Xml(label.c_str()), nullptr)) return std::nullopt;
        return std::string(GetAttribute(element, label.c_str()));
    }

    // "label=shown value", followed by "*" for an editable row.
    Lines Rows(const std::string& title) const
    {
        Lines rows;
        for (const PropertySection& section : grid.Sections())
            for (const PropertyItem* item : section.items)
                if (section.title == title)
                    rows.push_back(item->label + "=" + ShownValue(*item) + (item->editable ? "*" : ""));
        return rows;
    }
    const PropertyItem* Item(const std::string& title, const std::string& label) const
    {
        for (const PropertySection& section : grid.Sections())
            for (const PropertyItem* item : section.items)
                if (section.title == title && item->label == label) return item;
        ADD_FAILURE() << "no row " << title << "/" << label;
        return nullptr;
    }
    // The user's change of a row, stored as the grid stores it before it notifies: the
    // text of a choice names the option, that of a number or yes/no row is parsed.
    EditOutcome Edit(const std::string& title, const std::string& label, const std::string& text)
    {
        const PropertyItem* item = Item(title, label);
        if (!item) return EditOutcome::Ignored;
        const auto option = std::find(item->options.begin(), item->options.end(), text);
        if (item->kind == PropertyKind::Choice)
            grid.SetItemInteger(item->id, static_cast<int32_t>(option - item->options.begin()));
        else if (item->kind == PropertyKind::Integer)
            grid.SetItemInteger(item->id, std::stoi(text));
        else if (item->kind == PropertyKind::Bool)
            grid.SetItemBool(item->id, text == "true");
        else
            grid.SetItemText(item->id, text);
        return logic.OnItemChanged(item->id);
    }
};

// The sections of each kind of element and their rows, "*" marking an editable one.
TEST_F(PropertyViewTest, RowsOfEachKindOfElement)
{
    const struct {
        const char* item;
        Lines sections;
        const char* section;
        Lines rows;
    } cases[] = {
        {"Substation: S1", {"Substation"}, "Substation", {"desc=Main station", "name=S1*"}},
        // An attribute of another namespace is no stand-in for the name.
        {"Bay: B1", {"Bay"}, "Bay", {"desc=Feeder", "e:name=Outer", "name=B1*"}},
        {"ReportControl: rcb1", {"ReportControl", "TrgOps", "OptFields", "RptEnabled"}, "ReportControl",
         {"bufTime=50*", "buffered=true", "confRev=1*", "datSet=DS1*", "desc=Events", "indexed=true", "intgPd=1000*",
          "name=rcb1", "rptID=R1*"}},
        // "0" is false to the schema, and so here.
        {"ReportControl: rcb1", {}, "TrgOps", {"dchg=true*", "dupd=true*", "gi=true*", "period=false*", "qchg=false*"}},
        // A ReportControl without rptID gets an empty one, but no empty datSet: that
        // would break the schema and so refuse every later edit.
        {"ReportControl: rcb2", {}, "ReportControl", {"confRev=3*", "datSet=*", "name=rcb2", "rptID=*"}},
        {"GSEControl: gcb1", {}, "GSEControl",
         {"appID=P1gcb1*", "confRev=1*", "datSet=DS1", "desc=Trips", "name=gcb1", "type=GOOSE"}},
        {"LN: Q1GGIO1 [D]", {"LN"}, "LN", {"inst=1", "lnClass=GGIO", "lnType=GGIO_T", "prefix=Q1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.item) + " " + c.section);
        Select(c.item);
        Lines titles;
        for (const PropertySection& section : grid.Sections()) titles.push_back(section.title);
        if (!c.sections.empty()) {
            EXPECT_EQ(titles, c.sections);
        }
        EXPECT_EQ(Rows(c.section), c.rows);
    }
    Select("ReportControl: rcb2");
    EXPECT_EQ(Stored("ReportControl", "datSet"), std::nullopt);
    EXPECT_FALSE(doc.IsModified());

    Select("ReportControl: rcb1");
    EXPECT_EQ(Item("ReportControl", "datSet")->options, (Lines{"", "DS1", "LD0/Q1GGIO1.DS2", "LD1/LLN0.DS3"}));
    xmlSetProp(Selected(), Xml("datSet"), Xml("Missing"));
    logic.Refresh();
    EXPECT_EQ(ShownValue(*Item("ReportControl", "datSet")), "");

    view.Select(nullptr);
    EXPECT_TRUE(grid.Sections().empty());
    EXPECT_EQ(logic.OnItemChanged(0), EditOutcome::Ignored);

    // Another element shows its first text as value. One row per P type of an access
    // point's address, editable; a GOOSE address only shows its rows.
    xmlDoc* tree = ParseSclText("<Val xmlns=\"http://www.iec.ch/61850/2003/SCL\" sGroup=\"1\">first<!--c-->second</Val>");
    TreeItemRecord record{xmlDocGetRootElement(tree), kKindVal};
    EditTable edits;
    FillPropertyRows(grid, doc, record, edits);
    EXPECT_EQ(Rows("Val"), (Lines{"sGroup=1", "value=first"}));
    EXPECT_TRUE(edits.empty());
    xmlFreeDoc(tree);

    Load(R"(<Communication><SubNetwork name="N1"><ConnectedAP iedName="P1" apName="AP1"><Address>
        <P type="IP">10.0.0.1</P><P type="IP">10.0.0.2</P><P type="APPID">   </P><P type="VLAN-ID">00A</P>
        </Address><GSE ldInst="LD0" cbName="gcb1"><Address><P type="MAC-Address">01-0C-CD-01-00-01</P>
        <P type="APPID">3001</P></Address></GSE></ConnectedAP></SubNetwork></Communication>)");
    Select("Address");
    EXPECT_EQ(Rows("Address"), (Lines{"IP=10.0.0.1*", "VLAN-ID=00A*"}));
    view.Select(NextItemInPreOrder(Select("GSE")));
    EXPECT_EQ(Rows("Address"), (Lines{"APPID=3001", "MAC-Address=01-0C-CD-01-00-01"}));
}

// Each edit is written when the schema takes it, else put back in the document and the
// row with a message; the row always shows what the document holds.
TEST_F(PropertyViewTest, EditsAreWrittenOrRefusedAndRolledBack)
{
    const EditOutcome W = EditOutcome::Written, R = EditOutcome::Refused, U = EditOutcome::Unchanged;
    const struct {
        const char* item;
        const char* section;
        const char* label;
        std::string value;
        EditOutcome outcome;
        std::optional<std::string> stored;
    } cases[] = {
        {"ReportControl: rcb1", "ReportControl", "bufTime", "-1", R, "50"},
        {"ReportControl: rcb1", "ReportControl", "bufTime", "100", W, "100"},
        // A control character, a cut sequence, an overlong "/", a surrogate, U+FFFE.
        {"ReportControl: rcb1", "ReportControl", "rptID", "R\x01", R, "R1"},
        {"ReportControl: rcb1", "ReportControl", "rptID", "R\xC3", R, "R1"},
        {"ReportControl: rcb1", "ReportControl", "rptID", "R\xC0\xAF", R, "R1"},
        {"ReportControl: rcb1", "ReportControl", "rptID", "R\xE0\x80\xAF", R, "R1"},
        {"ReportControl: rcb1", "ReportControl", "rptID", "R\xED\xA0\x80", R, "R1"},
        {"ReportControl: rcb1", "ReportControl", "rptID", "R\xEF\xBF\xBE", R, "R1"},
        {"ReportControl: rcb1", "ReportControl", "rptID", "Ré & <R2>", W, "Ré & <R2>"},
        {"ReportControl: rcb1", "TrgOps", "gi", "true", U, "true"},
        {"ReportControl: rcb1", "TrgOps", "gi", "false", W, "false"},
        {"Bay: B1", "Bay", "name", "", R, "B1"},
        {"Bay: B1", "Bay", "name", "B9", W, "B9"},
        {"Address", "Address", "IP", "192.168.1.300", R, "192.168.1.11"},
        {"Address", "Address", "IP", "10.0.0.7", W, "10.0.0.7"},
        {"ReportControl: rcb2", "ReportControl", "datSet", "LD0/Q1GGIO1.DS2", W, "LD0/Q1GGIO1.DS2"},
        {"ReportControl: rcb2", "ReportControl", "datSet", "", W, std::nullopt},
        {"ReportControl: rcb2", "ReportControl", "datSet", "", U, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.label) + "=" + c.value);
        TreeItem* item = Select(c.item);
        ASSERT_TRUE(item);
        const bool modified = doc.IsModified();
        ui.messages.clear();
        relabelled.clear();
        EXPECT_EQ(Edit(c.section, c.label, c.value), c.outcome);
        EXPECT_EQ(Stored(c.section, c.label), c.stored);
        EXPECT_EQ(ShownValue(*Item(c.section, c.label)), c.stored.value_or(""));
        EXPECT_EQ(doc.IsModified(), modified || c.outcome == W);
        EXPECT_EQ(relabelled, c.outcome == W ? Lines{item->Label()} : Lines{});
        ASSERT_EQ(ui.messages.size(), c.outcome == R ? 1u : 0u);
        if (c.outcome == R) {
            EXPECT_EQ(ui.messages[0].text, "Illegal value " + c.value);
            EXPECT_EQ(ui.messages[0].icon, MessageIcon::Error);
        }
    }

    // The user's value for an option that validation filled in stays through the save of
    // an older version, which drops the options still filled in.
    doc.Validate(doc.XmlTree());
    Select("ReportControl: rcb2");
    logic.Refresh();
    EXPECT_EQ(Edit("TrgOps", "gi", "false"), W);
    doc.StripReportOptionAttributes();
    EXPECT_EQ(Stored("TrgOps", "gi"), "false");
    EXPECT_EQ(Stored("ReportControl", "indexed"), std::nullopt);

    // Saving an older file strips gi without telling the views, and the selection may move
    // unheard (to a sibling or to the parent of the element shown): a row must then neither
    // reach the attribute taken out nor write anywhere. The
    // refused choice puts back the attribute as it was, absent or present; a document that
    // was invalid when opened takes every change.
    Select("ReportControl: rcb1");
    EditRemoveAttribute(FindChildElement(Selected(), "TrgOps"), "gi");
    EXPECT_EQ(Edit("TrgOps", "gi", "false"), EditOutcome::Ignored);
    EXPECT_EQ(Rows("TrgOps").size(), 4u);

    for (const char* unheard : {"Bay: B2", "VoltageLevel: V1"}) {
        Select("Bay: B9");
        const int name = Item("Bay", "name")->id;
        doc.RemoveView(&logic);
        Select(unheard);
        grid.SetItemText(name, "X");
        EXPECT_EQ(logic.OnItemChanged(name), EditOutcome::Ignored) << unheard;
        doc.AddView(&logic);
    }
    EXPECT_EQ(ChildLabels(Find("VoltageLevel: V1")), (Labels{"Bay: B9", "Bay: B2"}));

    Select("ReportControl: rcb2");
    xmlSetProp(Selected(), Xml("confRev"), Xml("-3"));
    EXPECT_EQ(Edit("ReportControl", "datSet", "DS1"), EditOutcome::Refused);
    EXPECT_EQ(Stored("ReportControl", "datSet"), std::nullopt);
    EXPECT_EQ(ShownValue(*Item("ReportControl", "datSet")), "");
    xmlSetProp(Selected(), Xml("datSet"), Xml("DS1"));
    logic.Refresh();
    EXPECT_EQ(Edit("ReportControl", "datSet", "LD1/LLN0.DS3"), EditOutcome::Refused);
    EXPECT_EQ(Stored("ReportControl", "datSet"), "DS1");
    EXPECT_EQ(ShownValue(*Item("ReportControl", "datSet")), "DS1");

    LoadDocText(doc, ReadFileText(TestDataPath("property_view.scd")), false);
    view.OnInitialUpdate();
    ui.messages.clear();
    Select("ReportControl: rcb1");
    EXPECT_EQ(Edit("ReportControl", "confRev", "-1"), EditOutcome::Written);
    EXPECT_TRUE(ui.messages.empty());
}

// An edit is checked against the schema of the document's edition: a report control
// block whose client names its access point (apRef, from edition 2 on) makes an edition 1
// project invalid, and in a 2007B4 project it takes a good change and refuses a bad one.
TEST_F(PropertyViewTest, EditsAreCheckedAgainstTheEditionOfTheDocument)
{
    std::string text = ReadFileText(TestDataPath("property_view.scd"));
    const std::string enabled = "<RptEnabled max=\"5\"/>";
    ASSERT_NE(text.find(enabled), std::string::npos);
    text.replace(text.find(enabled), enabled.size(),
                 R"(<RptEnabled max="5"><ClientLN iedName="C1" ldInst="LD0" lnClass="ITCI" lnInst="1" apRef="AP1"/>)"
                 "</RptEnabled>");
    LoadText(text);
    EXPECT_FALSE(doc.Validate(doc.XmlTree()));
    text.replace(text.find("<SCL "), 5, R"(<SCL version="2007" revision="B" release="4" )");
    LoadText(text);
    ASSERT_TRUE(doc.Validate(doc.XmlTree()));
    Select("ReportControl: rcb1");
    EXPECT_EQ(Edit("ReportControl", "bufTime", "100"), EditOutcome::Written);
    EXPECT_EQ(Edit("ReportControl", "bufTime", "-1"), EditOutcome::Refused);
    EXPECT_EQ(Stored("ReportControl", "bufTime"), "100");
}

// A written edit is one step of the history, a refused one none; undo gives back the
// document byte for byte, also for a row that made an attribute the document lacked.
TEST_F(PropertyViewTest, EditsAreStepsOfTheHistory)
{
    Select("ReportControl: rcb2");  // showing it gives it the empty rptID it lacks
    const std::string original = XmlText(doc.XmlTree());
    Select("ReportControl: rcb1");
    EXPECT_EQ(Edit("ReportControl", "bufTime", "-1"), EditOutcome::Refused);
    EXPECT_FALSE(doc.Changes().CanUndo());
    EXPECT_EQ(XmlText(doc.XmlTree()), original);
    EXPECT_EQ(Edit("ReportControl", "bufTime", "100"), EditOutcome::Written);
    Select("ReportControl: rcb2");
    EXPECT_EQ(Edit("ReportControl", "datSet", "DS1"), EditOutcome::Written);
    const std::string edited = XmlText(doc.XmlTree());
    EXPECT_EQ(doc.Changes().UndoName(), "Edit property datSet");
    ASSERT_TRUE(doc.Undo());
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(XmlText(doc.XmlTree()), original);
    EXPECT_FALSE(doc.IsModified());
    ASSERT_TRUE(doc.Redo());
    ASSERT_TRUE(doc.Redo());
    EXPECT_EQ(XmlText(doc.XmlTree()), edited);
}
