#include "recording_host.h"

#include "widgets/drop_down_list.h"

#include <gtest/gtest.h>

namespace {

// Rows of 20 pixels in a 200 pixel wide view: the box column ends at 20, the
// divider stands at 100.
struct GridMouse : ::testing::Test {
    RecordingHost host;
    PropertyGridModel grid{&host};
    int s = grid.AddSection("S", false);
    int str = grid.AddStringItem(s, "a str", "abc", true);
    int fixed = grid.AddStringItem(s, "b fixed", "ro", false);
    int num = grid.AddIntegerItem(s, "c num", 255, "%x", true);
    int choice = grid.AddComboItem(s, "d choice", {"x", "y", "z"}, 1, true);
    int flag = grid.AddBoolItem(s, "e flag", false, true);
    int txt = grid.AddTextItem(s, "f txt", "l1\r\nl2", true);
    int fixedFlag = grid.AddBoolItem(s, "g fixed flag", true, false);

    GridMouse()
    {
        grid.SetRowHeight(20);
        grid.SetViewSize(200, 400);
    }
    static int Y(int row) { return row * 20 + 5; }
    int YOf(int item) const { return Y(grid.FindItem(item)->row); }
    void Click(int x, int y)
    {
        grid.MousePress(x, y);
        grid.MouseRelease();
    }
    void ClickValue(int item) { Click(150, YOf(item)); }
    std::string LastOpened() const { return host.opened.empty() ? "" : host.opened.back(); }
};

}  // namespace

TEST_F(GridMouse, ValueCellClickOpensTheItemsEditorOnRelease)
{
    grid.MousePress(150, YOf(str));
    EXPECT_EQ(grid.Focus(), GridFocus::Item(str));
    EXPECT_TRUE(host.opened.empty());
    grid.MouseRelease();
    EXPECT_EQ(LastOpened(), "edit 0 abc");
    EXPECT_EQ(grid.OpenEditor(), GridEditor::InPlace);

    ClickValue(num);  // the click closes the open editor first
    EXPECT_EQ(host.closes, 1);
    EXPECT_EQ(LastOpened(), "edit 2 255");  // decimal, whatever the format shows
    ClickValue(choice);
    EXPECT_EQ(LastOpened(), "list 3 1 x y z");
    ClickValue(flag);
    EXPECT_EQ(LastOpened(), "list 4 1 true false");
    EXPECT_EQ(grid.EditorItem(), flag);
    ClickValue(txt);  // a text item opens from its button only
    EXPECT_EQ(grid.OpenEditor(), GridEditor::None);
    Click(195, YOf(txt));
    EXPECT_EQ(LastOpened(), "dialog f txt");

    const size_t opened = host.opened.size();
    Click(50, YOf(str));  // label cell
    ClickValue(fixed);
    ClickValue(fixedFlag);
    EXPECT_EQ(grid.Focus(), GridFocus::Item(fixedFlag));  // read-only items take the focus
    EXPECT_EQ(host.opened.size(), opened);
    EXPECT_EQ(grid.ButtonRect(grid.FindItem(fixed)->row), GridRect());
}

TEST_F(GridMouse, HeaderClicksFocusAndTheBoxToggles)
{
    Click(60, Y(0));
    EXPECT_EQ(grid.Focus(), GridFocus::Section(s));
    EXPECT_FALSE(grid.FindSection(s)->collapsed);
    Click(5, Y(0));
    EXPECT_TRUE(grid.FindSection(s)->collapsed);
    Click(60, Y(3));  // below the last row
    EXPECT_EQ(grid.Focus(), GridFocus());
    grid.DoubleClick(60, Y(0));
    EXPECT_FALSE(grid.FindSection(s)->collapsed);
    EXPECT_EQ(grid.Focus(), GridFocus::Section(s));

    grid.SetDisplayMode(PropertyGridModel::kList);
    Click(5, Y(0));  // the first item now
    EXPECT_EQ(grid.Focus(), GridFocus::Item(str));
    EXPECT_FALSE(grid.FindSection(s)->collapsed);
}

TEST_F(GridMouse, InPlaceEditHandsBackStringsAndLeadingNumbers)
{
    ClickValue(str);
    grid.EndInPlaceEdit("abc");
    EXPECT_EQ(host.changed, std::vector<int>{str});  // notified even when unchanged
    ClickValue(str);
    grid.EndInPlaceEdit("");
    std::string text;
    EXPECT_TRUE(grid.GetItemText(str, text) && text.empty());

    int32_t value = 0;
    ClickValue(num);
    grid.EndInPlaceEdit("");
    EXPECT_TRUE(grid.GetItemInteger(num, value) && value == 255);
    EXPECT_EQ(host.changed.size(), 2u);
    ClickValue(num);
    grid.EndInPlaceEdit("12abc");
    EXPECT_TRUE(grid.GetItemInteger(num, value) && value == 12);
    ClickValue(num);
    grid.EndInPlaceEdit("ms");
    EXPECT_TRUE(grid.GetItemInteger(num, value) && value == 0);
    EXPECT_EQ(host.changed, (std::vector<int>{str, str, num, num}));

    grid.EndInPlaceEdit("7");  // no editor is open
    EXPECT_EQ(host.changed.size(), 4u);
}

TEST_F(GridMouse, DropDownChoiceStoresAndNotifiesEvenWhenUnchanged)
{
    ClickValue(choice);
    grid.EndDropDown(1);
    ClickValue(flag);
    grid.EndDropDown(0);
    ClickValue(flag);
    grid.EndDropDown(-1);  // closed without a choice
    ClickValue(choice);
    grid.EndDropDown(3);  // no such row
    EXPECT_EQ(host.changed, (std::vector<int>{choice, flag}));
    bool yes = false;
    EXPECT_TRUE(grid.GetItemBool(flag, yes) && yes);

    ClickValue(flag);
    grid.EndDropDown(1);
    EXPECT_TRUE(grid.GetItemBool(flag, yes) && !yes);
}

TEST_F(GridMouse, DoubleClickFlipsAndStepsEditableChoices)
{
    int32_t index = 0;
    bool yes = false;
    grid.DoubleClick(50, YOf(flag));
    EXPECT_TRUE(grid.GetItemBool(flag, yes) && yes);
    grid.DoubleClick(50, YOf(choice));
    grid.DoubleClick(50, YOf(choice));
    EXPECT_TRUE(grid.GetItemInteger(choice, index) && index == 0);  // past the last comes the first
    grid.DoubleClick(50, YOf(fixedFlag));
    EXPECT_TRUE(grid.GetItemBool(fixedFlag, yes) && yes);
    grid.DoubleClick(50, YOf(str));
    grid.MouseRelease();
    EXPECT_EQ(host.changed, (std::vector<int>{flag, choice, choice}));
    EXPECT_TRUE(host.opened.empty());

    grid.DoubleClick(50, YOf(txt));
    EXPECT_EQ(LastOpened(), "dialog f txt");
}

TEST_F(GridMouse, TextDialogStoresOnOkOnlyAndKeepsTheLineBreakStyle)
{
    host.dialogText = "one\ntwo";
    Click(195, YOf(txt));
    EXPECT_EQ(host.dialogSaw, "l1\nl2");
    std::string text;
    EXPECT_TRUE(grid.GetItemText(txt, text) && text == "one\r\ntwo");
    EXPECT_EQ(host.changed, std::vector<int>{txt});

    host.dialogAccepts = false;
    grid.DoubleClick(50, YOf(txt));
    EXPECT_TRUE(grid.GetItemText(txt, text) && text == "one\r\ntwo");
    EXPECT_EQ(host.changed.size(), 1u);
}

TEST_F(GridMouse, ResetClosesTheEditorAndDropsItsLateAnswer)
{
    ClickValue(str);
    grid.ResetContents();
    EXPECT_EQ(host.closes, 1);
    EXPECT_EQ(grid.OpenEditor(), GridEditor::None);
    const int again = grid.AddStringItem(grid.AddSection("T", false), "a str", "new", true);
    grid.EndInPlaceEdit("late");
    std::string text;
    EXPECT_TRUE(grid.GetItemText(again, text) && text == "new");
    EXPECT_TRUE(host.changed.empty());
}

TEST_F(GridMouse, ReceiverMayRefillTheGridWhileBeingTold)
{
    struct Refilling : RecordingHost {
        PropertyGridModel* grid = nullptr;
        void ItemChanged(int id) override
        {
            RecordingHost::ItemChanged(id);
            grid->ResetContents();
            grid->AddStringItem(grid->AddSection("Fresh", false), "only", "", true);
        }
        void CloseEditor() override { grid->EndInPlaceEdit("typed"); }  // as the window's editor does
    } refilling;
    refilling.grid = &grid;
    grid.SetHost(&refilling);

    ClickValue(str);
    grid.EndInPlaceEdit("x");  // refills: one header and one item remain
    ClickValue(0);
    grid.MousePress(150, Y(5));  // the editor's answer refills again before the hit
    EXPECT_EQ(refilling.changed.size(), 2u);
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(grid.Focus(), GridFocus());

    // The dialog's own event loop may empty the grid before OK.
    struct Emptying : RecordingHost {
        PropertyGridModel* grid = nullptr;
        bool EditText(const std::string& title, std::string& text) override
        {
            grid->ResetContents();
            grid->AddTextItem(grid->AddSection("T", false), "t", "kept", true);
            return RecordingHost::EditText(title, text);
        }
    } emptying;
    emptying.grid = &grid;
    grid.SetHost(&emptying);
    const int t = grid.AddTextItem(0, "t", "", true);
    grid.DoubleClick(50, YOf(t));
    std::string text;
    EXPECT_TRUE(grid.GetItemText(0, text) && text == "kept");
    EXPECT_TRUE(emptying.changed.empty());
}

TEST_F(GridMouse, DividerIsDraggedWithinItsGrip)
{
    EXPECT_EQ(grid.Divider(), 100);
    grid.SetViewSize(300, 400);
    EXPECT_EQ(grid.Divider(), 150);  // half the width until moved
    EXPECT_TRUE(grid.IsResizeCursorAt(147, YOf(str)));
    EXPECT_TRUE(grid.IsResizeCursorAt(153, YOf(str)));
    EXPECT_FALSE(grid.IsResizeCursorAt(154, YOf(str)));
    EXPECT_FALSE(grid.IsResizeCursorAt(150, Y(0)));  // headers have no columns

    grid.MousePress(152, YOf(str));
    grid.MouseMove(80, 0);
    EXPECT_EQ(grid.Divider(), 80);
    grid.MouseMove(1000, 0);
    EXPECT_EQ(grid.Divider(), 292);
    grid.MouseMove(0, 0);
    EXPECT_EQ(grid.Divider(), 28);
    grid.MouseRelease();
    grid.MouseMove(120, 0);
    EXPECT_EQ(grid.Divider(), 28);
    EXPECT_EQ(grid.OpenEditor(), GridEditor::None);

    grid.SetViewSize(100, 400);
    EXPECT_EQ(grid.Divider(), 28);  // kept once moved
    EXPECT_EQ(grid.ValueCellOf(str), (GridRect{29, 20, 71, 20}));
}

TEST(DropDownList, HighlightFollowsKeysAndPointerWithinTheList)
{
    DropDownList list(20, 15);
    EXPECT_EQ(list.VisibleRows(), DropDownList::kMaxVisibleRows);
    EXPECT_EQ(list.Top(), 8);  // the highlight shows near the middle
    for (int i = 0; i < 10; ++i) list.MoveDown();
    EXPECT_EQ(list.Highlight(), 19);
    EXPECT_EQ(list.Top(), 8);
    for (int i = 0; i < 25; ++i) list.MoveUp();
    EXPECT_EQ(list.Highlight(), 0);
    EXPECT_EQ(list.Top(), 0);
    list.Hover(3);
    EXPECT_EQ(list.Highlight(), 3);
    list.ScrollTo(100);
    EXPECT_EQ(list.Top(), 8);
    list.Hover(12);  // below the window
    EXPECT_EQ(list.Highlight(), 3);

    DropDownList none(2, -1);
    EXPECT_EQ(none.Highlight(), -1);
    none.MoveUp();
    EXPECT_EQ(none.Highlight(), 0);
    none.Hover(1);
    EXPECT_EQ(none.Highlight(), 1);
}
