// The rules of the Add IED dialog's model, checked without a window.
#include "import/add_ied_dialog.h"

#include <gtest/gtest.h>

namespace {

std::string Choice(const CAddIEDDialog& dialog)
{
    return dialog.iedName + " on " + dialog.SubNetworkName() + " (" + std::to_string(dialog.SubNetworkIndex()) + ")";
}

// The preset subnetwork when listed, else the first; the name follows the chosen file IED;
// OK refuses an empty or taken name and one that is no name text.
TEST(AddIEDDialog, PresetsFollowTheListsAndOkRefusesEmptyTakenOrUnwritableNames)
{
    EXPECT_EQ(Choice(CAddIEDDialog({}, {"W1", "S1"}, "S1", {"P1"}, 0)), "P1 on S1 (1)");
    EXPECT_EQ(Choice(CAddIEDDialog({}, {"W1", "S1"}, "X9", {"P1"}, 0)), "P1 on W1 (0)");
    EXPECT_EQ(Choice(CAddIEDDialog({}, {}, "S1", {"P1"}, 0)), "P1 on  (-1)");

    CAddIEDDialog dialog({"P1", "K2"}, {"W1"}, "W1", {"P1", "P2"}, 0);
    EXPECT_TRUE(dialog.OffersFileIEDs());
    EXPECT_EQ(dialog.Accept(), "IED P1 is already configured!");
    EXPECT_TRUE(dialog.SelectFileIED("P2"));
    EXPECT_EQ(dialog.iedName, "P2");
    EXPECT_EQ(dialog.Accept(), "");
    dialog.iedName = "";
    EXPECT_EQ(dialog.Accept(), "Enter the name the IED gets in the project!");
    for (const char* name : {"P\x1b[2J", "P\t2", "M\xFCller"}) {
        dialog.iedName = name;
        EXPECT_EQ(dialog.Accept(), "The IED name cannot hold control characters or bytes that are not UTF-8!");
    }
    EXPECT_FALSE(CAddIEDDialog({}, {}, "", {"P1"}, 0).OffersFileIEDs());
}

}  // namespace
