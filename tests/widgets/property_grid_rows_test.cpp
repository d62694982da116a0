#include "widgets/property_grid_model.h"

#include <gtest/gtest.h>

namespace {

// Two sections of two items, the second collapsed: A(a1 a2) B(b1 b2).
struct GridRows : ::testing::Test {
    PropertyGridModel grid;
    int a = grid.AddSection("A", false);
    int a2 = grid.AddStringItem(a, "a2", "", true);
    int a1 = grid.AddStringItem(a, "a1", "", true);
    int b = grid.AddSection("B", true);
    int b1 = grid.AddBoolItem(b, "b1", true, true);
    int b2 = grid.AddBoolItem(b, "b2", true, true);

    // The visible rows as "[A]" for a header and "a1" for an item.
    std::string Rows() const
    {
        std::string rows;
        for (int r = 0; r < grid.RowCount(); ++r) {
            const GridRow& row = grid.Row(r);
            rows += row.item < 0 ? "[" + grid.FindSection(row.section)->title + "]" : grid.FindItem(row.item)->label;
            rows += r + 1 < grid.RowCount() ? " " : "";
        }
        return rows;
    }
    std::string Focused() const
    {
        const GridFocus f = grid.Focus();
        if (f.kind == GridFocus::Kind::Section) return "[" + grid.FindSection(f.id)->title + "]";
        if (f.kind == GridFocus::Kind::Item) return grid.FindItem(f.id)->label;
        return "none";
    }
    std::string Keys(std::initializer_list<GridKey> keys)
    {
        std::string trail;
        for (GridKey key : keys) trail += (trail.empty() ? "" : " ") + (grid.KeyPress(key), Focused());
        return trail;
    }
};

}  // namespace

TEST_F(GridRows, DisplayModesShowOrHideHeadersAndCollapsedItems)
{
    EXPECT_EQ(Rows(), "[A] a1 a2 [B]");
    grid.SetDisplayMode(PropertyGridModel::kList);
    EXPECT_EQ(Rows(), "a1 a2 b1 b2");
    grid.SetDisplayMode(7);  // not a mode
    EXPECT_EQ(grid.DisplayMode(), PropertyGridModel::kList);
    grid.SetDisplayMode(PropertyGridModel::kGrouped);
    grid.ToggleSection(b);
    grid.ToggleSection(a);
    EXPECT_EQ(Rows(), "[A] [B] b1 b2");
    EXPECT_EQ(grid.FindItem(a1)->row, -1);
}

TEST_F(GridRows, ArrowsWalkTheVisibleRowsAndStopAtTheEnds)
{
    EXPECT_EQ(Keys({GridKey::Down, GridKey::Down, GridKey::Down, GridKey::Down, GridKey::Down}),
              "[A] a1 a2 [B] [B]");
    EXPECT_EQ(Keys({GridKey::Up, GridKey::Up, GridKey::Up, GridKey::Up, GridKey::Up}), "a2 a1 [A] [A] [A]");
    // Left and Right fold a section, and otherwise step.
    EXPECT_EQ(Keys({GridKey::Left, GridKey::Right, GridKey::Right, GridKey::Right}), "[A] [A] a1 a2");
    EXPECT_EQ(Keys({GridKey::Right, GridKey::Right, GridKey::Right}), "[B] [B] b1");
    EXPECT_EQ(Keys({GridKey::Left, GridKey::Left, GridKey::Left}), "[B] [B] a2");
    EXPECT_EQ(Rows(), "[A] a1 a2 [B]");

    grid.SetFocus(GridFocus());
    EXPECT_EQ(Keys({GridKey::Up}), "[A]");
    grid.ResetContents();
    EXPECT_FALSE(grid.KeyPress(GridKey::Down));
}

TEST_F(GridRows, FocusFollowsWhatStaysVisible)
{
    // A collapsed section takes over the focus of its items.
    grid.SetFocus(GridFocus::Item(a2));
    grid.KeyPress(GridKey::CollapseAll);
    EXPECT_EQ(Focused(), "[A]");

    // Hidden rows cannot take the focus.
    grid.SetFocus(GridFocus::Item(b1));
    EXPECT_EQ(Focused(), "[A]");
    grid.SetFocus(GridFocus::Item(77));
    EXPECT_EQ(Focused(), "[A]");

    // List mode shows collapsed items but no headers.
    grid.SetDisplayMode(PropertyGridModel::kList);
    EXPECT_EQ(Focused(), "none");
    grid.SetFocus(GridFocus::Section(a));
    EXPECT_EQ(Focused(), "none");
    grid.SetFocus(GridFocus::Item(b2));
    EXPECT_EQ(Keys({GridKey::Up, GridKey::Left}), "b1 a2");
    grid.SetDisplayMode(PropertyGridModel::kGrouped);
    EXPECT_EQ(Focused(), "[A]");
}

TEST_F(GridRows, KeyboardScrollsTheFocusIntoView)
{
    grid.SetRowHeight(10);
    grid.SetViewSize(200, 25);
    grid.KeyPress(GridKey::ExpandAll);  // 6 rows, 60 pixels
    EXPECT_EQ(grid.MaxScrollTop(), 35);
    Keys({GridKey::Down, GridKey::Down, GridKey::Down, GridKey::Down});
    EXPECT_EQ(grid.ScrollTop(), 15);  // row 3 ends at 40
    Keys({GridKey::Up, GridKey::Up, GridKey::Up});
    EXPECT_EQ(grid.ScrollTop(), 0);
    grid.ScrollTo(1000);
    grid.SetFocus(GridFocus::Item(a1));
    EXPECT_FALSE(grid.KeyPress(GridKey::Collapse));  // an item is no section
    grid.KeyPress(GridKey::CollapseAll);  // 2 rows fit: nothing to scroll
    EXPECT_EQ(grid.ScrollTop(), 0);
}
