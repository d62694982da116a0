#include "property_grid/property_grid_model.h"
#include "property_grid/value_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <utility>

namespace {

// Records what the grid asks of its window; the text dialog answers as scripted.
struct RecordingHost : PropertyGridHost {
    std::string trail;  // "edit <id> <text>", "list <id> <current> <options...>", "dialog <title>", "changed <id>"
    int closes = 0;
    bool dialogAccepts = true;
    std::string dialogText, dialogSaw;
    // What the window may do meanwhile: refill the grid, hand back the editor's text.
    std::function<void()> whileDialogRuns, afterChange, onClose;

    void Add(const std::string& line) { trail += line + ";"; }
    void ItemChanged(int id) override
    {
        Add("changed " + std::to_string(id));
        if (afterChange) afterChange();
    }
    void OpenInPlaceEdit(int id, const std::string& text) override { Add("edit " + std::to_string(id) + " " + text); }
    void OpenDropDown(int id, const std::vector<std::string>& options, int current) override
    {
        std::string line = "list " + std::to_string(id) + " " + std::to_string(current);
        for (const std::string& option : options) line += " " + option;
        Add(line);
    }
    void CloseEditor() override
    {
        ++closes;
        if (onClose) onClose();
    }
    bool EditText(const std::string& title, std::string& text) override
    {
        if (whileDialogRuns) whileDialogRuns();
        Add("dialog " + title);
        dialogSaw = text;
        if (dialogAccepts) text = dialogText;
        return dialogAccepts;
    }
};

// Section S holds items a to g of each kind, section T (collapsed) two yes/no items.
// Rows of 20 pixels in a 200 pixel wide view: the box column ends at 20, the divider
// stands at 100, the "..." button of a text item starts at 180.
struct GridModel : ::testing::Test {
    RecordingHost host;
    PropertyGridModel grid{&host};
    int s = grid.AddSection("S", false);
    int str = grid.AddStringItem(s, "a", "abc", true);
    int fixed = grid.AddStringItem(s, "b", "ro", false);
    int num = grid.AddIntegerItem(s, "c", 255, "%x", true);
    int choice = grid.AddComboItem(s, "d", {"x", "y", "z"}, 1, true);
    int flag = grid.AddBoolItem(s, "e", false, true);
    int txt = grid.AddTextItem(s, "f", "l1\r\nl2", true);
    int fixedFlag = grid.AddBoolItem(s, "g", true, false);
    int t = grid.AddSection("T", true);
    int t1 = grid.AddBoolItem(t, "t1", true, true);
    int t2 = grid.AddBoolItem(t, "t2", true, true);

    GridModel()
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
    const PropertyItem& At(int item) const { return *grid.FindItem(item); }
    // The visible rows as "[S]" for a header and "a" for an item.
    std::string Rows() const
    {
        std::string rows;
        for (int r = 0; r < grid.RowCount(); ++r) {
            const GridRow& row = grid.Row(r);
            rows += (r ? " " : "") +
                    (row.item < 0 ? "[" + grid.FindSection(row.section)->title + "]" : grid.FindItem(row.item)->label);
        }
        return rows;
    }
    std::string Focused() const
    {
        const GridFocus f = grid.Focus();
        if (f.kind == GridFocus::Kind::Section) return "[" + grid.FindSection(f.id)->title + "]";
        return f.kind == GridFocus::Kind::Item ? grid.FindItem(f.id)->label : "none";
    }
    std::string Keys(std::initializer_list<GridKey> keys)
    {
        std::string trail;
        for (GridKey key : keys) trail += (trail.empty() ? "" : " ") + (grid.KeyPress(key), Focused());
        return trail;
    }
};

}  // namespace

TEST_F(GridModel, DisplayModesHeadersAndDivider)
{
    EXPECT_EQ(Rows(), "[S] a b c d e f g [T]");
    grid.SetDisplayMode(PropertyGridModel::kList);
    EXPECT_EQ(Rows(), "a b c d e f g t1 t2");
    grid.SetDisplayMode(7);  // not a mode
    EXPECT_EQ(grid.DisplayMode(), PropertyGridModel::kList);
    grid.SetDisplayMode(PropertyGridModel::kGrouped);
    grid.ToggleSection(t);
    grid.ToggleSection(s);
    EXPECT_EQ(Rows(), "[S] [T] t1 t2");

    // A click on a header focuses it, one on its box or a double click toggles it.
    Click(60, Y(0));
    EXPECT_EQ(Rows(), "[S] [T] t1 t2");
    EXPECT_EQ(Focused(), "[S]");
    Click(5, Y(0));
    grid.DoubleClick(60, Y(8));
    EXPECT_EQ(Rows(), "[S] a b c d e f g [T]");
    Click(60, Y(9));  // below the last row
    EXPECT_EQ(Focused(), "none");

    // The divider is dragged within its grip and stays in the view.
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

TEST_F(GridModel, ArrowsWalkTheVisibleRowsAndTheFocusFollowsWhatStaysVisible)
{
    EXPECT_EQ(Keys({GridKey::Down, GridKey::Down}), "[S] a");
    grid.SetFocus(GridFocus::Item(fixedFlag));
    EXPECT_EQ(Keys({GridKey::Down, GridKey::Down}), "[T] [T]");
    // Left and Right fold a section, and otherwise step.
    EXPECT_EQ(Keys({GridKey::Right, GridKey::Right, GridKey::Left, GridKey::Left, GridKey::Left}), "[T] t1 [T] [T] g");
    grid.SetFocus(GridFocus::Item(str));
    EXPECT_EQ(Keys({GridKey::Up, GridKey::Up, GridKey::Left, GridKey::Right, GridKey::Right}), "[S] [S] [S] [S] a");
    EXPECT_EQ(Rows(), "[S] a b c d e f g [T]");

    // A collapsed section takes over the focus of its items.
    grid.SetFocus(GridFocus::Item(fixedFlag));
    grid.KeyPress(GridKey::CollapseAll);
    EXPECT_EQ(Focused(), "[S]");
    // Hidden rows cannot take the focus.
    grid.SetFocus(GridFocus::Item(t1));
    grid.SetFocus(GridFocus::Item(77));
    EXPECT_EQ(Focused(), "[S]");
    // List mode shows collapsed items but no headers.
    grid.SetDisplayMode(PropertyGridModel::kList);
    grid.SetFocus(GridFocus::Section(s));
    EXPECT_EQ(Focused(), "none");
    grid.SetFocus(GridFocus::Item(t2));
    EXPECT_EQ(Keys({GridKey::Up, GridKey::Left}), "t1 g");
    grid.SetDisplayMode(PropertyGridModel::kGrouped);
    EXPECT_EQ(Focused(), "[S]");

    // The keys scroll the focus into view.
    grid.SetRowHeight(10);
    grid.SetViewSize(200, 25);
    grid.KeyPress(GridKey::ExpandAll);  // 11 rows, 110 pixels
    EXPECT_EQ(grid.MaxScrollTop(), 85);
    Keys({GridKey::Down, GridKey::Down, GridKey::Down});  // from [S]
    EXPECT_EQ(grid.ScrollTop(), 15);  // row 3 ends at 40
    Keys({GridKey::Up, GridKey::Up, GridKey::Up});
    EXPECT_EQ(grid.ScrollTop(), 0);
    grid.ScrollTo(1000);
    grid.SetFocus(GridFocus::Item(str));
    EXPECT_FALSE(grid.KeyPress(GridKey::Collapse));  // an item is no section
    grid.KeyPress(GridKey::CollapseAll);  // 2 rows fit: nothing to scroll
    EXPECT_EQ(grid.ScrollTop(), 0);
    grid.ResetContents();
    EXPECT_FALSE(grid.KeyPress(GridKey::Down));
}

// What a click (on release), a click on the label or the "..." button, a double click
// and the keys do to each kind of item; each item takes the focus.
TEST_F(GridModel, MouseAndKeysOpenEditorsFlipYesNoAndStepChoices)
{
    enum Action { Value, Label, Button, Double, Edit, Toggle };
    const struct {
        Action action;
        int item;
        std::string trail;
    } cases[] = {
        {Value, str, "edit 0 abc;"},         {Value, num, "edit 2 255;"},     {Value, choice, "list 3 1 x y z;"},
        {Value, flag, "list 4 1 true false;"}, {Value, txt, ""},              {Button, txt, "dialog f;"},
        {Label, str, ""},                    {Value, fixed, ""},              {Value, fixedFlag, ""},
        {Edit, str, "edit 0 abc;"},          {Edit, num, "edit 2 255;"},      {Edit, choice, "list 3 1 x y z;"},
        {Edit, flag, "list 4 1 true false;"}, {Edit, txt, "dialog f;"},       {Edit, fixed, "refused"},
        {Toggle, flag, "changed 4;"},        {Toggle, str, "refused"},        {Toggle, fixedFlag, "refused"},
        {Double, flag, "changed 4;"},        {Double, choice, "changed 3;"},  {Double, choice, "changed 3;"},
        {Double, fixedFlag, ""},             {Double, txt, "dialog f;"},      {Double, str, ""},
    };
    host.dialogAccepts = false;
    for (const auto& c : cases) {
        host.trail.clear();
        if (c.action >= Edit) grid.SetFocus(GridFocus::Item(c.item));
        if (c.action >= Edit && !grid.KeyPress(c.action == Edit ? GridKey::Edit : GridKey::Toggle)) host.trail = "refused";
        if (c.action == Double) grid.DoubleClick(50, YOf(c.item));
        if (c.action < Double) Click(c.action == Value ? 150 : c.action == Label ? 50 : 185, YOf(c.item));
        EXPECT_EQ(host.trail, c.trail) << c.action << " " << At(c.item).label;
        EXPECT_EQ(grid.Focus(), GridFocus::Item(c.item));
        grid.CloseEditor();
    }
    EXPECT_FALSE(At(flag).flag);
    EXPECT_EQ(At(choice).number, 0);  // past the last comes the first
    EXPECT_TRUE(At(fixedFlag).flag);
    EXPECT_EQ(grid.FocusedValue(), "abc");
    grid.SetFocus(GridFocus::Item(txt));
    EXPECT_EQ(grid.FocusedValue(), "l1\r\nl2");
    grid.SetFocus(GridFocus::Item(num));
    EXPECT_EQ(grid.FocusedValue(), "ff");
    grid.SetFocus(GridFocus::Section(s));
    EXPECT_EQ(grid.FocusedValue(), std::nullopt);
    EXPECT_FALSE(grid.KeyPress(GridKey::Edit));
}

TEST_F(GridModel, EditorsHandBackTheirValues)
{
    grid.MousePress(150, YOf(str));
    EXPECT_EQ(host.trail, "");  // the editor opens on release
    grid.MouseRelease();
    grid.EndInPlaceEdit("abc");  // unchanged still notifies
    Click(150, YOf(num));
    Click(150, YOf(num));  // the click closes the open editor first
    EXPECT_EQ(host.closes, 1);
    grid.EndInPlaceEdit("");  // keeps the number, tells nothing
    EXPECT_EQ(At(num).number, 255);
    Click(150, YOf(num));
    grid.EndInPlaceEdit("12abc");
    grid.EndInPlaceEdit("7");  // no editor is open
    EXPECT_EQ(At(num).number, 12);

    Click(150, YOf(choice));
    grid.EndDropDown(1);  // the same option again still notifies
    Click(150, YOf(flag));
    grid.EndDropDown(0);
    EXPECT_TRUE(At(flag).flag);
    Click(150, YOf(flag));
    grid.EndDropDown(-1);  // closed without a choice
    Click(150, YOf(choice));
    grid.EndDropDown(3);  // no such row

    // The dialog gets and gives the edit field's line breaks.
    host.dialogText = "one\ntwo";
    Click(185, YOf(txt));
    EXPECT_EQ(host.dialogSaw, "l1\nl2");
    EXPECT_EQ(At(txt).text, "one\r\ntwo");
    host.dialogAccepts = false;
    Click(185, YOf(txt));
    EXPECT_EQ(At(txt).text, "one\r\ntwo");
    const std::string edits = "edit 0 abc;changed 0;edit 2 255;edit 2 255;edit 2 255;changed 2;";
    EXPECT_EQ(host.trail, edits + "list 3 1 x y z;changed 3;list 4 1 true false;changed 4;list 4 0 true false;"
                                  "list 3 1 x y z;dialog f;changed 5;dialog f;");
}

TEST_F(GridModel, EmptyingTheGridWhileAnEditorIsOpenDropsItsAnswer)
{
    Click(150, YOf(str));
    grid.ResetContents();
    EXPECT_EQ(host.closes, 1);
    const int again = grid.AddStringItem(grid.AddSection("T", false), "a", "new", true);
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
    EXPECT_EQ(host.trail.find("changed"), std::string::npos);
}

TEST_F(GridModel, ClickHitsTheRowsLeftByTheReceiverOfTheEditorsAnswer)
{
    host.afterChange = [&] {
        grid.ResetContents();
        grid.AddStringItem(grid.AddSection("Fresh", false), "only", "", true);
    };
    host.onClose = [&] { grid.EndInPlaceEdit("typed"); };  // as the window's editor does
    Click(150, YOf(str));
    grid.MousePress(150, YOf(choice));
    EXPECT_EQ(host.trail, "edit 0 abc;changed 0;");
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(grid.Focus(), GridFocus());
}

TEST(PropertyGridContents, ItemsSortByLabelLabelsAreUniqueAndValuesShowByKind)
{
    PropertyGridModel grid;
    const int s = grid.AddSection("ReportControl", false);
    for (const char* label : {"rptID", "name", "Zeta", "datSet", "\xC3\xA4"}) grid.AddStringItem(s, label, "", false);
    std::vector<std::string> labels;
    for (const PropertyItem* item : grid.FindSection(s)->items) labels.push_back(item->label);
    EXPECT_EQ(labels, (std::vector<std::string>{"Zeta", "datSet", "name", "rptID", "\xC3\xA4"}));

    // Refused additions take no id; the same label is welcome in another section.
    EXPECT_EQ(grid.AddIntegerItem(s, "name", 1, "", true), -1);
    EXPECT_EQ(grid.AddStringItem(s + 1, "fresh", "", true), -1);
    EXPECT_EQ(grid.AddStringItem(s, "last", "", true), 5);
    EXPECT_GE(grid.AddStringItem(grid.AddSection("TrgOps", false), "name", "", false), 0);

    // Values show by kind, and a choice outside its options has no text.
    const int num = grid.AddIntegerItem(s, "num", -5, "%d s", true);
    const int choice = grid.AddComboItem(s, "choice", {"", "DS1", "LD/LLN0.DS2"}, 2, true);
    EXPECT_EQ(ShownValue(*grid.FindItem(num)), "-5 s");

    std::string text;
    EXPECT_TRUE(grid.GetItemText(choice, text) && text == "LD/LLN0.DS2");
    EXPECT_TRUE(grid.SetItemInteger(choice, 3));
    EXPECT_FALSE(grid.GetItemText(choice, text));
    EXPECT_EQ(ShownValue(*grid.FindItem(choice)), "");
}

TEST(ValueText, IntegerFormatsTakeOneIntegerConversion)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", "-42"}, {"%05d ms", "-0042 ms"}, {"0x%04X", "0xFFFFFFD6"}, {"%u", "4294967254"}, {"100%% %d", "100% -42"},
        {"none", "none"},
        // Formats that printf could not be given one int safely fall back to "%d".
        {"%s", "-42"}, {"%d %d", "-42"}, {"%n", "-42"}, {"%ld", "-42"}, {"%*d", "-42"}, {"%999d", "-42"},
        {"%.500d", "-42"}, {"%", "-42"}, {"%f", "-42"},
    };
    for (const auto& [format, shown] : cases) EXPECT_EQ(FormatInteger(format, -42), shown) << format;
}

TEST(ValueText, LeadingIntegerIsReadInDecimal)
{
    const std::pair<const char*, int> cases[] = {
        {"0100", 100}, {"12abc", 12},       {"abc12", 0},         {"  -7 s", -7},          {"+8", 8},
        {"0x1F", 0},   {"-", 0}, {"99999999999", INT_MAX}, {"-2147483648", INT_MIN}, {"-99999999999", INT_MIN},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(ReadLeadingInteger(text), value) << text;
}

TEST(ValueText, LineBreaksShowAsPilcrowAndSurviveTheEditField)
{
    EXPECT_EQ(ShowLineBreaks("a\r\nb\nc\rd\r\n\r\n"), "a\xC2\xB6" "b\xC2\xB6" "c\xC2\xB6" "d\xC2\xB6\xC2\xB6");
    EXPECT_EQ(ToEditFieldText("a\r\nb\nc"), "a\nb\nc");
    EXPECT_EQ(FromEditFieldText("a\nb\r\nc", "x\r\ny"), "a\r\nb\r\nc");
    EXPECT_EQ(FromEditFieldText("\na\n", "x\r\ny"), "\r\na\r\n");
    EXPECT_EQ(FromEditFieldText("a\nb", "x\ny"), "a\nb");
}
