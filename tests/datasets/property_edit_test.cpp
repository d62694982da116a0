#include "property_view_fixture.h"
#include "tree/tree_observer.h"

#include <optional>

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
};

// Each edit is written when the schema takes it, else put back in the document and the
// row with a message; the row always shows what the document holds.
TEST_F(PropertyEditTest, EditsAreWrittenOrRefusedAndRolledBack)
{
    LoadFixture();
    const EditOutcome W = EditOutcome::Written, R = EditOutcome::Refused, U = EditOutcome::Unchanged;
    const struct {
        const char* item;
        const char* section;
        const char* label;
        std::string value;
        EditOutcome outcome;
        std::optional<std::string> stored;
    } cases[] = {
        {"ReportControl: rcb1", "ReportControl", "confRev", "-1", R, "1"},
        {"ReportControl: rcb1", "ReportControl", "intgPd", "-1", R, "1000"},
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
        {"ReportControl: rcb1", "OptFields", "timeStamp", "true", W, "true"},
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
        relabels.labels.clear();
        ui.messages.clear();
        EXPECT_EQ(Edit(c.section, c.label, c.value), c.outcome);
        EXPECT_EQ(Stored(c.section, c.label), c.stored);
        EXPECT_EQ(Shown(c.section, c.label), c.stored.value_or(""));
        EXPECT_EQ(doc.IsModified(), modified || c.outcome == W);
        EXPECT_EQ(relabels.labels, c.outcome == W ? Lines{item->Label()} : Lines{});
        if (c.outcome == R) {
            ASSERT_EQ(ui.messages.size(), 1u);
            EXPECT_EQ(ui.messages[0].text, "Illegal value " + c.value);
            EXPECT_EQ(ui.messages[0].icon, MessageIcon::Error);
        } else {
            EXPECT_TRUE(ui.messages.empty());
        }
    }
    EXPECT_TRUE(Select("Bay: B9"));
}

// The refused choice puts back the attribute as it was, absent or present.
TEST_F(PropertyEditTest, RefusedDatasetChoiceRestoresAttributeAndEntry)
{
    LoadFixture();
    Select("ReportControl: rcb2");
    xmlSetProp(Selected(), Xml("confRev"), Xml("-3"));
    EXPECT_EQ(Edit("ReportControl", "datSet", "DS1"), EditOutcome::Refused);
    EXPECT_FALSE(HasAttribute("datSet"));
    EXPECT_EQ(Shown("ReportControl", "datSet"), "");
    xmlSetProp(Selected(), Xml("datSet"), Xml("DS1"));
    logic.Refresh();
    EXPECT_EQ(Edit("ReportControl", "datSet", "LD1/LLN0.DS3"), EditOutcome::Refused);
    EXPECT_EQ(Attribute("datSet"), "DS1");
    EXPECT_EQ(Shown("ReportControl", "datSet"), "DS1");
}

TEST_F(PropertyEditTest, InvalidDocumentAcceptsEveryChange)
{
    LoadFixture(false);
    Select("ReportControl: rcb1");
    EXPECT_EQ(Edit("ReportControl", "confRev", "-1"), EditOutcome::Written);
    EXPECT_EQ(Attribute("confRev"), "-1");
    EXPECT_TRUE(ui.messages.empty());
}

// Saving an older file strips gi without telling the views, and the selection may move
// unheard: a row must then neither reach the freed attribute nor write elsewhere.
TEST_F(PropertyEditTest, StaleRowsRefreshInsteadOfWriting)
{
    LoadFixture();
    Select("ReportControl: rcb1");
    xmlUnsetProp(FindChildElement(Selected(), "TrgOps"), Xml("gi"));
    EXPECT_EQ(Edit("TrgOps", "gi", "false"), EditOutcome::Ignored);
    EXPECT_EQ(Rows("TrgOps").size(), 4u);

    Select("Bay: B1");
    const int name = Item("Bay", "name")->id;
    doc.RemoveView(&logic);
    Select("Bay: B2");
    doc.AddView(&logic);
    grid.SetItemText(name, "X");
    EXPECT_EQ(logic.OnItemChanged(name), EditOutcome::Ignored);
    EXPECT_EQ(Attribute("name"), "B2");
    EXPECT_EQ(Rows("Bay"), Lines{"name=B2*"});
    EXPECT_FALSE(doc.IsModified());
}
