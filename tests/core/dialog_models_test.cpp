// The rules of the form dialogs' models, checked without a window.
#include "core/add_ied_dialog.h"
#include "core/version_history_dialog.h"

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

TEST(VersionHistoryDialog, OkRefusesNumbersOutsideTheirRangesAndTextAProjectCannotHold)
{
    CVerHistDialog dialog;
    dialog.SetValues({"ignored", "what", "why", 3, 8});
    EXPECT_EQ(dialog.Values().who, CVerHistDialog::LoggedOnUserName());

    const struct {
        const char *version, *revision, *refusal;
    } numbers[] = {
        {"1000000", " 1000000 ", ""},
        {"0", "1", "Please enter an integer between 1 and 1000000."},
        {"1000001", "1", "Please enter an integer between 1 and 1000000."},
        {"1", "-1", "Please enter an integer between 0 and 1000000."},
        {"1", "1000001", "Please enter an integer between 0 and 1000000."},
        {"1", "12a", "Please enter an integer."},
        {"", "1", "Please enter an integer."},
        {"1", "99999999999999999999", "Please enter an integer."},
        {"1", "0", ""},
    };
    for (const auto& row : numbers) {
        dialog.versionText = row.version;
        dialog.revisionText = row.revision;
        EXPECT_EQ(dialog.Accept(), row.refusal) << row.version << " " << row.revision;
    }

    // Latin-1 bytes or a control character could not be read back from the saved project.
    dialog.changeReason = "line one\nline two\tend";
    EXPECT_EQ(dialog.Accept(), "");
    dialog.userName = "M\xFCller";
    EXPECT_NE(dialog.Accept().find("The user name holds"), std::string::npos);
    dialog.userName = "M\xC3\xBCller";
    dialog.changeDescription = "bell\x07";
    EXPECT_NE(dialog.Accept().find("The change description holds"), std::string::npos);
}

}  // namespace
