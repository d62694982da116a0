// The rules of the version history dialog's model, checked without a window.
#include "document/version_history_dialog.h"

#include <gtest/gtest.h>

namespace {

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
