#include "widgets/property_grid_model.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Labels(const PropertyGridModel& grid, int section)
{
    std::vector<std::string> labels;
    for (const PropertyItem* item : grid.FindSection(section)->items) labels.push_back(item->label);
    return labels;
}

}  // namespace

TEST(PropertyGridContents, ItemsSortByLabelInByteOrderAndLabelsAreUnique)
{
    PropertyGridModel grid;
    const int s = grid.AddSection("ReportControl", false);
    for (const char* label : {"rptID", "name", "desc", "bufTime", "intgPd", "buffered", "Zeta", "datSet", "\xC3\xA4"})
        EXPECT_GE(grid.AddStringItem(s, label, "", false), 0) << label;
    EXPECT_EQ(Labels(grid, s), (std::vector<std::string>{"Zeta", "bufTime", "buffered", "datSet", "desc", "intgPd",
                                                         "name", "rptID", "\xC3\xA4"}));

    const int before = grid.AddBoolItem(s, "value", true, true);
    EXPECT_EQ(grid.AddStringItem(s, "value", "other", true), -1);
    EXPECT_EQ(grid.AddIntegerItem(s, "name", 1, "", true), -1);
    EXPECT_EQ(grid.AddStringItem(s + 1, "fresh", "", true), -1);
    // Refused additions take no id.
    EXPECT_EQ(grid.AddStringItem(s, "last", "", true), before + 1);
    bool value = false;
    EXPECT_TRUE(grid.GetItemBool(before, value) && value);

    // The same label is welcome in another section.
    const int other = grid.AddSection("TrgOps", false);
    EXPECT_GE(grid.AddStringItem(other, "value", "", false), 0);
}

TEST(PropertyGridContents, IdsCountFromZeroPerGridAndRestartAfterReset)
{
    PropertyGridModel grid;
    EXPECT_EQ(grid.AddSection("A", false), 0);
    EXPECT_EQ(grid.AddStringItem(0, "x", "", true), 0);
    EXPECT_EQ(grid.AddSection("B", true), 1);
    EXPECT_EQ(grid.AddStringItem(1, "a", "", true), 1);
    EXPECT_EQ(grid.AddStringItem(0, "b", "", true), 2);
    EXPECT_EQ(grid.Sections()[1].title, "B");

    grid.ResetContents();
    EXPECT_TRUE(grid.Sections().empty());
    EXPECT_EQ(grid.RowCount(), 0);
    std::string text;
    EXPECT_FALSE(grid.GetItemText(0, text));
    EXPECT_EQ(grid.AddSection("C", false), 0);
    EXPECT_EQ(grid.AddTextItem(0, "t", "", false), 0);
}

TEST(PropertyGridContents, GettersAndSettersAnswerOnlyForTheirKinds)
{
    PropertyGridModel grid;
    const int s = grid.AddSection("S", false);
    const int str = grid.AddStringItem(s, "str", "abc", true);
    const int txt = grid.AddTextItem(s, "txt", "l1\r\nl2", false);
    const int num = grid.AddIntegerItem(s, "num", -5, "%d s", true);
    const int choice = grid.AddComboItem(s, "choice", {"", "DS1", "LD/LLN0.DS2"}, 2, true);
    const int flag = grid.AddBoolItem(s, "flag", false, true);

    std::string text;
    int32_t number = 0;
    bool yes = true;
    EXPECT_TRUE(grid.GetItemText(str, text) && text == "abc");
    EXPECT_TRUE(grid.GetItemText(choice, text) && text == "LD/LLN0.DS2");
    EXPECT_TRUE(grid.GetItemInteger(choice, number) && number == 2);
    EXPECT_TRUE(grid.GetItemBool(flag, yes) && !yes);
    text = "untouched";
    for (int id : {num, flag, 99, -1}) EXPECT_FALSE(grid.GetItemText(id, text)) << id;
    EXPECT_EQ(text, "untouched");
    EXPECT_FALSE(grid.GetItemInteger(str, number));
    EXPECT_FALSE(grid.GetItemBool(choice, yes));
    EXPECT_FALSE(grid.SetItemText(choice, "DS1"));
    EXPECT_FALSE(grid.SetItemInteger(flag, 0));
    EXPECT_FALSE(grid.SetItemBool(str, true));
    EXPECT_EQ(ShownValue(*grid.FindItem(num)), "-5 s");

    EXPECT_TRUE(grid.SetItemText(txt, "a\nb"));
    EXPECT_TRUE(grid.SetItemInteger(num, 250));
    EXPECT_TRUE(grid.SetItemBool(flag, true));
    EXPECT_EQ(ShownValue(*grid.FindItem(txt)), "a\xC2\xB6" "b");
    EXPECT_EQ(ShownValue(*grid.FindItem(num)), "250 s");
    EXPECT_EQ(ShownValue(*grid.FindItem(flag)), "true");

    // A choice index outside its options shows nothing and has no text.
    EXPECT_TRUE(grid.SetItemInteger(choice, 3));
    EXPECT_FALSE(grid.GetItemText(choice, text));
    EXPECT_EQ(ShownValue(*grid.FindItem(choice)), "");
}
