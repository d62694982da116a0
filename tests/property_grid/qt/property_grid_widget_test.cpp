#include "property_grid/qt/property_grid.h"
#include "property_grid/qt/property_grid_combo.h"
#include "property_grid/qt/property_grid_in_place_edit.h"
#include "property_grid/qt/property_grid_text_dialog.h"

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// A shown grid with one section: "count" (whole number), "flag" (yes/no),
// "mode" (choice), "name" (string), "note" (text), all editable.
struct GridWidget : ::testing::Test {
    std::unique_ptr<CPropertyGrid> owned = std::make_unique<CPropertyGrid>();
    CPropertyGrid& grid = *owned;
    PropertyGridModel& model = grid.Model();
    std::vector<int> changed;  // the ids of the itemChanged signals
    int section = model.AddSection("ReportControl", false);
    int name = model.AddStringItem(section, "name", "rc1", true);
    int count = model.AddIntegerItem(section, "count", 10, "%d ms", true);
    int flag = model.AddBoolItem(section, "flag", true, true);
    int mode = model.AddComboItem(section, "mode", {"", "DS1", "DS2"}, 1, true);
    int note = model.AddTextItem(section, "note", "a b", true);

    GridWidget()
    {
        QObject::connect(&grid, &CPropertyGrid::itemChanged, [this](int id) { changed.push_back(id); });
        grid.resize(300, 200);
        grid.show();
        grid.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&grid));
        grid.setFocus();
    }
    // Points in the value and the label cell of an item.
    QPoint ValueOf(int item) const { return {model.ValueCellOf(item).x + 20, model.ValueCellOf(item).y + 5}; }
    QPoint LabelOf(int item) const { return {model.Margin() + 10, model.ValueCellOf(item).y + 5}; }
    void Click(QPoint at) { QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, at); }
    CPropertyGridInPlaceEdit* OpenEdit(int item)
    {
        Click(ValueOf(item));
        CPropertyGridInPlaceEdit* edit = grid.InPlaceEdit();
        EXPECT_TRUE(edit && edit->isVisible());
        return edit;
    }
    const PropertyItem& At(int item) const { return *model.FindItem(item); }
};

}  // namespace

TEST_F(GridWidget, InPlaceEditorCommitsOnLeavingButEscapeKeepsTheValue)
{
    const std::pair<std::function<void(QWidget*)>, std::string> closers[] = {
        {[](QWidget* edit) { QTest::keyClick(edit, Qt::Key_Return); }, "axb"},
        {[](QWidget* edit) { QTest::keyClick(edit, Qt::Key_Tab); }, "axb"},
        {[](QWidget* edit) { QTest::keyClick(edit, Qt::Key_Down, Qt::ControlModifier); }, "axb"},
        {[](QWidget* edit) { QTest::keyClick(edit, Qt::Key_Escape); }, "rc1"},
        {[&](QWidget*) { Click(LabelOf(flag)); }, "axb"},
    };
    for (const auto& [close, kept] : closers) {
        model.SetItemText(name, "rc1");
        CPropertyGridInPlaceEdit* edit = OpenEdit(name);
        const GridRect cell = model.ValueCellOf(name);
        EXPECT_EQ(edit->geometry(), QRect(cell.x, cell.y, cell.width, cell.height));
        EXPECT_EQ(edit->text(), "rc1");
        EXPECT_TRUE(edit->hasFocus());
        QTest::keyClicks(edit, "ab");
        QTest::keyClick(edit, Qt::Key_Left);  // moves the caret only
        QTest::keyClicks(edit, "x");
        close(edit);
        EXPECT_FALSE(edit->isVisible());
        EXPECT_TRUE(grid.hasFocus());
        EXPECT_EQ(At(name).text, kept) << kept;
    }
    EXPECT_EQ(changed, std::vector<int>(5, name));  // Escape hands back the old text

    QTest::keyClicks(OpenEdit(name), "lost");
    model.ResetContents();
    EXPECT_FALSE(grid.InPlaceEdit()->isVisible());
    EXPECT_EQ(changed.size(), 5u);
}

TEST_F(GridWidget, DropDownListAndTextDialogChoose)
{
    Click(ValueOf(mode));
    CPropertyGridCombo* list = grid.DropDown();
    ASSERT_TRUE(list && list->isVisible());
    EXPECT_EQ(list->Highlight(), 1);
    QTest::keyClick(list, Qt::Key_Right);
    QTest::keyClick(list, Qt::Key_Down);  // stays on the last row
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(At(mode).number, 2);

    Click(ValueOf(mode));
    QTest::keyClick(list, Qt::Key_Up);
    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_EQ(At(mode).number, 2);
    EXPECT_EQ(model.OpenEditor(), GridEditor::None);

    Click(ValueOf(flag));
    const QPoint secondRow(10, model.RowHeight() + model.RowHeight() / 2);
    QTest::mouseMove(list->viewport(), secondRow);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, secondRow);
    EXPECT_FALSE(At(flag).flag);

    // A double click opens the text dialog.
    QString seen;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<CPropertyGridTextDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        seen = dialog->windowTitle() + "|" + dialog->Text();
        dialog->Field()->setPlainText("x y");
        dialog->accept();
    });
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, LabelOf(note));
    EXPECT_EQ(seen, "note|a b");
    EXPECT_EQ(At(note).text, "x y");
    EXPECT_EQ(changed, (std::vector<int>{mode, flag, note}));
}

TEST_F(GridWidget, KeysFoldSectionsAndTheScrollBarFollowsTheRows)
{
    const int second = model.AddSection("TrgOps", true);
    for (const char* label : {"dchg", "qchg", "dupd", "period", "gi"}) model.AddBoolItem(second, label, true, true);
    grid.setFocus();
    const std::pair<Qt::Key, int> steps[] = {{Qt::Key_Down, 7},     {Qt::Key_Minus, 2}, {Qt::Key_Asterisk, 12},
                                             {Qt::Key_Slash, 2},    {Qt::Key_Plus, 7},  {Qt::Key_Right, 7}};
    for (const auto& [key, rows] : steps) {
        QTest::keyClick(&grid, key);
        EXPECT_EQ(model.RowCount(), rows) << key;
    }
    EXPECT_EQ(model.Focus(), GridFocus::Item(count));

    grid.resize(300, model.RowHeight() * 5);
    model.SetDisplayMode(PropertyGridModel::kList);
    ASSERT_GT(model.MaxScrollTop(), 0);
    EXPECT_EQ(grid.verticalScrollBar()->maximum(), model.MaxScrollTop());
    for (int i = 0; i < 9; ++i) QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(grid.verticalScrollBar()->value(), model.MaxScrollTop());
    EXPECT_FALSE(grid.grab().isNull());  // paints every kind of row
}

TEST_F(GridWidget, KeyboardEditsCopiesTooltipsAndTheEditorsLifetime)
{
    model.SetFocus(GridFocus::Item(flag));
    QTest::keyClick(&grid, Qt::Key_Space);
    QTest::keyClick(&grid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "false");
    model.SetFocus(GridFocus::Item(name));
    for (Qt::Key key : {Qt::Key_F2, Qt::Key_Return}) {
        QTest::keyClick(&grid, key);
        ASSERT_TRUE(grid.InPlaceEdit() && grid.InPlaceEdit()->isVisible()) << key;
        QTest::keyClick(grid.InPlaceEdit(), Qt::Key_Escape);
    }
    EXPECT_EQ(grid.ToolTipAt(ValueOf(name)), "");
    const std::string longName(200, 'n');
    model.SetItemText(name, longName);
    EXPECT_EQ(grid.ToolTipAt(ValueOf(name)).toStdString(), longName);
    EXPECT_EQ(grid.ToolTipAt(LabelOf(name)), "");

    // The open editor follows the scroll, and goes with the grid without a word.
    for (int i = 0; i < 20; ++i) model.AddStringItem(section, "z" + std::to_string(i), "", true);
    CPropertyGridInPlaceEdit* edit = OpenEdit(name);
    grid.verticalScrollBar()->setValue(model.RowHeight());
    EXPECT_EQ(model.ScrollTop(), model.RowHeight());
    EXPECT_EQ(edit->geometry().top(), model.ValueCellOf(name).y);
    ASSERT_TRUE(edit->hasFocus());
    owned.reset();
    EXPECT_EQ(changed, (std::vector<int>{flag, name, name}));
}
