#include "widgets/property_grid_model.h"

#include <gtest/gtest.h>

TEST(PropertyGridContents, ItemsSortByLabelInByteOrderAndLabelsAreUnique)
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
}

TEST(PropertyGridContents, ValuesShowByKindAndAChoiceOutsideItsOptionsHasNoText)
{
    PropertyGridModel grid;
    const int s = grid.AddSection("S", false);
    const int txt = grid.AddTextItem(s, "txt", "a\r\nb\nc", false);
    const int num = grid.AddIntegerItem(s, "num", -5, "%d s", true);
    const int choice = grid.AddComboItem(s, "choice", {"", "DS1", "LD/LLN0.DS2"}, 2, true);
    EXPECT_EQ(ShownValue(*grid.FindItem(txt)), "a\xC2\xB6" "b\xC2\xB6" "c");
    EXPECT_EQ(ShownValue(*grid.FindItem(num)), "-5 s");

    std::string text;
    EXPECT_TRUE(grid.GetItemText(choice, text) && text == "LD/LLN0.DS2");
    EXPECT_TRUE(grid.SetItemInteger(choice, 3));
    EXPECT_FALSE(grid.GetItemText(choice, text));
    EXPECT_EQ(ShownValue(*grid.FindItem(choice)), "");
}
