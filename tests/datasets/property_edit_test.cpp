#include "property_view_fixture.h"
#include "tree/tree_observer.h"

namespace {

struct RelabelRecorder : TreeObserver {
    Lines labels;
    void OnRelabelled(TreeItem* item) override { labels.push_back(item->Label()); }
};

}  // namespace

class PropertyEditTest : public PropertyViewTest {
protected:
    RelabelRecorder relabels;

    void SetUp() override { view.AddObserver(&relabels); }
    void TearDown() override { view.RemoveObserver(&relabels); }

    void ExpectRefused(const std::string& value)
    {
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].title, "Edit property");
        EXPECT_EQ(ui.messages[0].text, "Illegal value " + value);
        EXPECT_EQ(ui.messages[0].icon, MessageIcon::Error);
        EXPECT_FALSE(doc.IsModified());
        EXPECT_TRUE(relabels.labels.empty());
        ui.messages.clear();
    }
};

TEST_F(PropertyEditTest, WholeNumberIsWrittenAndTheItemRelabelled)
{
    LoadFixture();
    Select("ReportControl: rcb1");
    EXPECT_EQ(EditNumber("ReportControl", "bufTime", 100), EditOutcome::Written);
    EXPECT_EQ(Attribute("bufTime"), "100");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(relabels.labels, Lines{"ReportControl: rcb1"});
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PropertyEditTest, NegativeWholeNumbersAreRefusedAndRolledBack)
{
    LoadFixture();
    Select("ReportControl: rcb1");
    for (const char* label : {"confRev", "intgPd", "bufTime"}) {
        SCOPED_TRACE(label);
        const std::string before = Attribute(label);
        EXPECT_EQ(EditNumber("ReportControl", label, -1), EditOutcome::Refused);
        ExpectRefused("-1");
        EXPECT_EQ(Attribute(label), before);
        EXPECT_EQ(Shown("ReportControl", label), before);
    }
}

TEST_F(PropertyEditTest, BayRenameRelabelsAndAnEmptyNameIsRefused)
{
    LoadFixture();
    TreeItem* bay = Select("Bay: B1");
    EXPECT_EQ(EditText("Bay", "name", ""), EditOutcome::Refused);
    ExpectRefused("");
    EXPECT_EQ(Attribute("name"), "B1");
    EXPECT_EQ(Shown("Bay", "name"), "B1");

    EXPECT_EQ(EditText("Bay", "name", "B9"), EditOutcome::Written);
    EXPECT_EQ(bay->Label(), "Bay: B9");
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(PropertyEditTest, TypedAddressIsCheckedByItsType)
{
    LoadFixture();
    Select("Address");
    EXPECT_EQ(EditText("Address", "IP", "192.168.1.300"), EditOutcome::Refused);
    ExpectRefused("192.168.1.300");
    EXPECT_EQ(GetElementText(FindChildElement(Selected(), "P")), "192.168.1.11");
    EXPECT_EQ(Shown("Address", "IP"), "192.168.1.11");

    EXPECT_EQ(EditText("Address", "IP", "10.0.0.7"), EditOutcome::Written);
    EXPECT_EQ(GetElementText(FindChildElement(Selected(), "P")), "10.0.0.7");
}

TEST_F(PropertyEditTest, DatasetChoiceStoresAReferenceAndTheEmptyEntryRemovesIt)
{
    LoadFixture();
    Select("ReportControl: rcb2");
    EXPECT_EQ(EditText("ReportControl", "datSet", "LD0/Q1GGIO1.DS2"), EditOutcome::Written);
    EXPECT_EQ(Attribute("datSet"), "LD0/Q1GGIO1.DS2");
    EXPECT_EQ(EditText("ReportControl", "datSet", ""), EditOutcome::Written);
    EXPECT_FALSE(HasAttribute("datSet"));
    EXPECT_EQ(EditText("ReportControl", "datSet", ""), EditOutcome::Unchanged);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PropertyEditTest, RefusedDatasetChoiceRestoresAttributeAndEntry)
{
    LoadFixture();
    Select("ReportControl: rcb2");
    xmlSetProp(Selected(), Xml("confRev"), Xml("-3"));
    EXPECT_EQ(EditText("ReportControl", "datSet", "DS1"), EditOutcome::Refused);
    ExpectRefused("DS1");
    EXPECT_FALSE(HasAttribute("datSet"));
    EXPECT_EQ(Shown("ReportControl", "datSet"), "");

    xmlSetProp(Selected(), Xml("datSet"), Xml("DS1"));
    logic.Refresh();
    EXPECT_EQ(EditText("ReportControl", "datSet", "LD1/LLN0.DS3"), EditOutcome::Refused);
    EXPECT_EQ(Attribute("datSet"), "DS1");
    EXPECT_EQ(Shown("ReportControl", "datSet"), "DS1");
}

TEST_F(PropertyEditTest, InvalidDocumentAcceptsEveryChange)
{
    LoadFixture(false);
    Select("ReportControl: rcb1");
    EXPECT_EQ(EditNumber("ReportControl", "confRev", -1), EditOutcome::Written);
    EXPECT_EQ(Attribute("confRev"), "-1");
    Select("Bay: B1");
    EXPECT_EQ(EditText("Bay", "name", ""), EditOutcome::Written);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(PropertyEditTest, YesNoWritesTrueOrFalseAndTheValueInPlaceChangesNothing)
{
    LoadFixture();
    Select("ReportControl: rcb1");
    EXPECT_EQ(EditBool("TrgOps", "gi", true), EditOutcome::Unchanged);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(EditBool("TrgOps", "gi", false), EditOutcome::Written);
    EXPECT_EQ(Attribute("gi", "TrgOps"), "false");
    EXPECT_EQ(EditBool("TrgOps", "gi", true), EditOutcome::Written);
    EXPECT_EQ(Attribute("gi", "TrgOps"), "true");
    EXPECT_EQ(EditBool("OptFields", "timeStamp", true), EditOutcome::Written);
    EXPECT_EQ(Attribute("timeStamp", "OptFields"), "true");
}

TEST_F(PropertyEditTest, TextThatCannotBeSavedAsXmlIsRefused)
{
    LoadFixture();
    Select("ReportControl: rcb1");
    // A control character, a cut sequence, an overlong "/", a surrogate, U+FFFE.
    for (const char* text : {"R\x01", "R\xC3", "R\xC0\xAF", "R\xE0\x80\xAF", "R\xED\xA0\x80", "R\xEF\xBF\xBE"})
        EXPECT_EQ(EditText("ReportControl", "rptID", text), EditOutcome::Refused) << text;
    EXPECT_EQ(Attribute("rptID"), "R1");
    EXPECT_EQ(Shown("ReportControl", "rptID"), "R1");
    EXPECT_EQ(EditText("ReportControl", "rptID", "Ré & <R2>"), EditOutcome::Written);
    EXPECT_EQ(Attribute("rptID"), "Ré & <R2>");
}

// Saving an older file strips gi without telling the views: the row must not reach
// the freed attribute.
TEST_F(PropertyEditTest, RowWhoseAttributeWentAwayRefreshesInsteadOfWriting)
{
    LoadFixture();
    Select("ReportControl: rcb1");
    xmlUnsetProp(FindChildElement(Selected(), "TrgOps"), Xml("gi"));
    EXPECT_EQ(EditBool("TrgOps", "gi", false), EditOutcome::Ignored);
    EXPECT_EQ(Rows("TrgOps").size(), 4u);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(PropertyEditTest, RowsOfAnElementNoLongerShownAreIgnored)
{
    LoadFixture();
    Select("Bay: B1");
    const int name = Id("Bay", "name");
    doc.RemoveView(&logic);  // the selection moves without the view hearing of it
    Select("Bay: B2");
    doc.AddView(&logic);
    grid.SetItemText(name, "X");
    EXPECT_EQ(logic.OnItemChanged(name), EditOutcome::Ignored);
    EXPECT_EQ(Attribute("name"), "B2");
    EXPECT_EQ(Rows("Bay"), Lines{"name=B2 [string]"});
}
