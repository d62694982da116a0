#include "widgets/property_grid_model.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

namespace {

// Records what the grid asks of its window; the text dialog answers as scripted.
struct RecordingHost : PropertyGridHost {
    std::vector<int> changed;
    std::vector<std::string> opened;  // "edit <id> <text>", "list <id> <current> <options...>", "dialog <title>"
    int closes = 0;
    bool dialogAccepts = true;
    std::string dialogText, dialogSaw;
    // What the window may do meanwhile: refill the grid, hand back the editor's text.
    std::function<void()> whileDialogRuns, afterChange, onClose;

    void ItemChanged(int id) override
    {
        changed.push_back(id);
        if (afterChange) afterChange();
    }
    void OpenInPlaceEdit(int id, const std::string& text) override
    {
        opened.push_back("edit " + std::to_string(id) + " " + text);
    }
    void OpenDropDown(int id, const std::vector<std::string>& options, int current) override
    {
        std::string line = "list " + std::to_string(id) + " " + std::to_string(current);
        for (const std::string& option : options) line += " " + option;
        opened.push_back(line);
    }
    void CloseEditor() override
    {
        ++closes;
        if (onClose) onClose();
    }
    bool EditText(const std::string& title, std::string& text) override
    {
        if (whileDialogRuns) whileDialogRuns();
        opened.push_back("dialog " + title);
        dialogSaw = text;
        if (dialogAccepts) text = dialogText;
        return dialogAccepts;
    }
};

// Rows of 20 pixels in a 200 pixel wide view: the box column ends at 20, the
// divider stands at 100, the "..." button of a text item starts at 180.
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
    const PropertyItem& At(int item) const { return *grid.FindItem(item); }
};

}  // namespace

TEST_F(GridMouse, ClickOpensTheEditorOnReleaseWhereTheItemTakesIt)
{
    grid.MousePress(150, YOf(str));
    EXPECT_EQ(grid.Focus(), GridFocus::Item(str));
    EXPECT_TRUE(host.opened.empty());
    grid.MouseRelease();
    EXPECT_EQ(LastOpened(), "edit 0 abc");
    ClickValue(num);  // the click closes the open editor first
    EXPECT_EQ(host.closes, 1);
    ClickValue(txt);  // a text item opens from its button only
    EXPECT_EQ(grid.OpenEditor(), GridEditor::None);
    Click(185, YOf(txt));
    EXPECT_EQ(LastOpened(), "dialog f txt");

    const size_t opened = host.opened.size();
    Click(50, YOf(str));  // label cell
    ClickValue(fixed);
    ClickValue(fixedFlag);
    EXPECT_EQ(grid.Focus(), GridFocus::Item(fixedFlag));  // read-only items take the focus
    EXPECT_EQ(host.opened.size(), opened);
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
}

TEST_F(GridMouse, EditorsHandBackTheirValues)
{
    ClickValue(str);
    grid.EndInPlaceEdit("abc");  // unchanged still notifies
    ClickValue(num);
    grid.EndInPlaceEdit("");  // keeps the number, tells nothing
    EXPECT_EQ(At(num).number, 255);
    ClickValue(num);
    grid.EndInPlaceEdit("12abc");
    EXPECT_EQ(At(num).number, 12);
    grid.EndInPlaceEdit("7");  // no editor is open
    EXPECT_EQ(At(num).number, 12);

    ClickValue(choice);
    grid.EndDropDown(1);  // the same option again still notifies
    ClickValue(flag);
    grid.EndDropDown(0);
    EXPECT_TRUE(At(flag).flag);
    ClickValue(flag);
    grid.EndDropDown(-1);  // closed without a choice
    ClickValue(choice);
    grid.EndDropDown(3);  // no such row
    EXPECT_EQ(host.changed, (std::vector<int>{str, num, choice, flag}));
}

TEST_F(GridMouse, DoubleClickFlipsStepsAndOpensTheTextDialog)
{
    grid.DoubleClick(50, YOf(flag));
    grid.DoubleClick(50, YOf(choice));
    grid.DoubleClick(50, YOf(choice));
    grid.DoubleClick(50, YOf(fixedFlag));
    EXPECT_TRUE(At(flag).flag);
    EXPECT_EQ(At(choice).number, 0);  // past the last comes the first
    EXPECT_TRUE(At(fixedFlag).flag);
    EXPECT_EQ(host.changed, (std::vector<int>{flag, choice, choice}));

    // The dialog gets and gives the edit field's line breaks.
    host.dialogText = "one\ntwo";
    grid.DoubleClick(50, YOf(txt));
    EXPECT_EQ(host.dialogSaw, "l1\nl2");
    EXPECT_EQ(At(txt).text, "one\r\ntwo");
    host.dialogAccepts = false;
    Click(185, YOf(txt));
    EXPECT_EQ(At(txt).text, "one\r\ntwo");
    EXPECT_EQ(host.changed.size(), 4u);
}

TEST_F(GridMouse, KeysOpenTheFocusedEditorFlipYesNoAndReadTheValue)
{
    const std::tuple<int, GridKey, std::string> cases[] = {
        {str, GridKey::Edit, "edit 0 abc"},
        {num, GridKey::Edit, "edit 2 255"},
        {choice, GridKey::Edit, "list 3 1 x y z"},
        {flag, GridKey::Edit, "list 4 1 true false"},
        {txt, GridKey::Edit, "dialog f txt"},
        {fixed, GridKey::Edit, "refused"},
        {flag, GridKey::Toggle, "changed 4"},
        {str, GridKey::Toggle, "refused"},
        {fixedFlag, GridKey::Toggle, "refused"},
    };
    host.dialogAccepts = false;
    for (const auto& [item, key, expected] : cases) {
        grid.SetFocus(GridFocus::Item(item));
        host.opened.clear();
        host.changed.clear();
        std::string outcome = grid.KeyPress(key) ? "" : "refused";
        for (const std::string& opened : host.opened) outcome += opened;
        for (int id : host.changed) outcome += "changed " + std::to_string(id);
        EXPECT_EQ(outcome, expected) << grid.FindItem(item)->label;
        grid.CloseEditor();
    }
    EXPECT_TRUE(At(flag).flag);

    grid.SetFocus(GridFocus::Item(num));
    EXPECT_EQ(grid.FocusedValue(), "ff");
    grid.SetFocus(GridFocus::Item(txt));
    EXPECT_EQ(grid.FocusedValue(), "l1\r\nl2");
    grid.SetFocus(GridFocus::Section(s));
    EXPECT_EQ(grid.FocusedValue(), std::nullopt);
    EXPECT_FALSE(grid.KeyPress(GridKey::Edit));
}

TEST_F(GridMouse, EmptyingTheGridWhileAnEditorIsOpenDropsItsAnswer)
{
    ClickValue(str);
    grid.ResetContents();
    EXPECT_EQ(host.closes, 1);
    const int again = grid.AddStringItem(grid.AddSection("T", false), "a str", "new", true);
    grid.EndInPlaceEdit("late");
    EXPECT_EQ(At(again).text, "new");

    // The text dialog runs its own event loop, in which the grid may be refilled.
    host.whileDialogRuns = [&] {
        grid.ResetContents();
        grid.AddTextItem(grid.AddSection("T", false), "t", "kept", true);
    };
    grid.ResetContents();
    const int edited = grid.AddTextItem(grid.AddSection("T", false), "t", "", true);
    host.dialogText = "late";
    grid.DoubleClick(50, YOf(edited));
    EXPECT_EQ(At(edited).text, "kept");  // the same id, another item
    EXPECT_TRUE(host.changed.empty());
}

TEST_F(GridMouse, ClickHitsTheRowsLeftByTheReceiverOfTheEditorsAnswer)
{
    host.afterChange = [&] {
        grid.ResetContents();
        grid.AddStringItem(grid.AddSection("Fresh", false), "only", "", true);
    };
    host.onClose = [&] { grid.EndInPlaceEdit("typed"); };  // as the window's editor does
    ClickValue(str);
    grid.MousePress(150, YOf(choice));
    EXPECT_EQ(host.changed, std::vector<int>{str});
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(grid.Focus(), GridFocus());
}

TEST_F(GridMouse, DividerIsDraggedWithinItsGripAndStaysInTheView)
{
    EXPECT_EQ(grid.Divider(), 100);  // half the width until moved
    EXPECT_TRUE(grid.IsResizeCursorAt(98, YOf(str)));
    EXPECT_FALSE(grid.IsResizeCursorAt(105, YOf(str)));
    EXPECT_FALSE(grid.IsResizeCursorAt(100, Y(0)));  // headers have no columns

    grid.MousePress(101, YOf(str));
    grid.MouseMove(1000, 0);
    EXPECT_LT(grid.Divider(), grid.Width());
    grid.MouseMove(0, 0);
    EXPECT_GT(grid.Divider(), grid.Margin());
    grid.MouseMove(60, 0);
    grid.MouseRelease();
    grid.MouseMove(120, 0);  // no longer dragged
    grid.SetViewSize(300, 400);
    EXPECT_EQ(grid.Divider(), 60);  // a moved divider stays where it was put
    EXPECT_EQ(grid.OpenEditor(), GridEditor::None);
}
