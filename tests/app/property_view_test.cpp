// The property view in the main window: the grid of the selected element, the display
// mode buttons, edits written into the document or refused.
#include "app/panes/property_view.h"
#include "property_grid/qt/property_grid.h"
#include "property_grid/qt/property_grid_in_place_edit.h"
#include "window_fixture.h"

namespace {

class PropertyViewTest : public WindowTest {
protected:
    CPropertyGrid& Grid() const { return *frame->PropertyPane()->Grid(); }
    PropertyGridModel& Rows() const { return Grid().Model(); }

    void SetUp() override
    {
        WindowTest::SetUp();
        Open("one_ied.scd");
        rcb = Click("ReportControl: rcb1");
    }
    const PropertyItem& Row(const std::string& label) const
    {
        for (const PropertySection& section : Rows().Sections())
            for (const PropertyItem* item : section.items)
                if (item->label == label) return *item;
        throw std::runtime_error("no row " + label);
    }
    // Clicks the row's value, which opens its in-place editor.
    CPropertyGridInPlaceEdit* OpenEditor(const std::string& label) const
    {
        const GridRect cell = Rows().ValueCellOf(Row(label).id);
        QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, QPoint(cell.x + 10, cell.y + cell.height / 2));
        CPropertyGridInPlaceEdit* edit = Grid().InPlaceEdit();
        EXPECT_TRUE(edit && edit->isVisible()) << label;
        return edit;
    }
    void Type(const std::string& label, const QString& text) const
    {
        CPropertyGridInPlaceEdit* edit = OpenEditor(label);
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    TreeItem* rcb = nullptr;
};

}  // namespace

TEST_F(PropertyViewTest, TheButtonsSwitchTheRowsAndEditsAreWrittenOrRefused)
{
    CPropertyView& pane = *frame->PropertyPane();
    const int grouped = Rows().RowCount();
    EXPECT_TRUE(pane.GroupedButton()->isChecked());
    QTest::mouseClick(pane.ListButton(), Qt::LeftButton);
    EXPECT_EQ(Rows().RowCount(), grouped - 3);  // no section headers
    EXPECT_TRUE(pane.ListButton()->isChecked());
    EXPECT_FALSE(pane.GroupedButton()->isChecked());
    Click("GSEControl: gcb1");
    EXPECT_EQ(Rows().DisplayMode(), PropertyGridModel::kList);
    QTest::mouseClick(pane.GroupedButton(), Qt::LeftButton);
    EXPECT_EQ(Rows().DisplayMode(), PropertyGridModel::kGrouped);

    // Edits are written into the document or refused.
    Click("ReportControl: rcb1");
    Type("bufTime", "250");
    EXPECT_EQ(Attribute(rcb, "bufTime"), "250");
    EXPECT_EQ(Modified(), "MOD");

    bool refused = false;
    WhenModalShown<QMessageBox>([&](QMessageBox* box) {
        refused = box->icon() == QMessageBox::Critical;
        box->button(QMessageBox::Ok)->click();
    });
    Type("confRev", "-1");
    EXPECT_TRUE(refused);
    EXPECT_EQ(Row("confRev").number, 1);
    EXPECT_EQ(Attribute(rcb, "confRev"), "1");
}

// The editor hands its text back while the window goes; the tree view it would be
// written through must not be gone by then.
TEST_F(PropertyViewTest, TheWindowGoesWithAnEditorOpen)
{
    QTest::keyClicks(OpenEditor("intgPd"), "7");
    frame.reset();
    EXPECT_FALSE(doc.IsModified());
}
