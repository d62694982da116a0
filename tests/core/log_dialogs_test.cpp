#include "core/log_dialogs.h"
#include "core/version_history_dialog.h"
#include "support/fake_ui.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace {

TEST(LogDialogs, CopyAndSaveWriteEachLineWithCarriageReturnAndLineFeed)
{
    CVerifyDialog dialog({"first", "second"});
    EXPECT_EQ(dialog.Title(), "Verification log");
    FakeUi ui;
    EXPECT_TRUE(dialog.CopyLogToClipboard(ui));
    EXPECT_EQ(ui.clipboard, "first\r\nsecond\r\n");

    TempDir dir;
    WriteFileText(dir.File("log.txt"), "previous content that is longer than the log");
    ui.saveFileNames.push_back(dir.File("log.txt"));
    EXPECT_TRUE(dialog.SaveLogToFile(ui));
    EXPECT_EQ(ReadFileText(dir.File("log.txt")), "first\r\nsecond\r\n");
    EXPECT_EQ(ui.fileRequests.back().filter, "TXT Files (*.txt)|*.txt|All Files (*.*)|*.*||");
    EXPECT_EQ(ui.fileRequests.back().defaultExtension, ".txt");
}

TEST(LogDialogs, FailuresToSaveOrCopyShowNothing)
{
    CXMLLogDialog dialog({"line"});
    EXPECT_EQ(dialog.Title(), "XML Parser Log");
    FakeUi ui;
    ui.clipboardAvailable = false;
    EXPECT_FALSE(dialog.CopyLogToClipboard(ui));
    ui.saveFileNames.push_back(std::nullopt);  // cancelled
    EXPECT_FALSE(dialog.SaveLogToFile(ui));
    ui.saveFileNames.push_back(std::string("/nonexistent-folder/log.txt"));
    EXPECT_FALSE(dialog.SaveLogToFile(ui));
    EXPECT_TRUE(ui.messages.empty());
}

TEST(VersionHistoryDialog, OkRefusesNumbersOutsideTheirRangesAndNonNumbers)
{
    CVerHistDialog dialog;
    dialog.SetValues({"ignored", "what", "why", 3, 8});
    EXPECT_EQ(dialog.Accept(), "");
    VersionInfo info = dialog.Values();
    EXPECT_EQ(info.version, 3);
    EXPECT_EQ(info.revision, 8);
    EXPECT_EQ(info.what, "what");
    EXPECT_EQ(info.who, CVerHistDialog::LoggedOnUserName());

    dialog.versionText = "0";
    EXPECT_EQ(dialog.Accept(), "Please enter an integer between 1 and 1000000.");
    dialog.versionText = "1000000";
    dialog.revisionText = "1000001";
    EXPECT_EQ(dialog.Accept(), "Please enter an integer between 0 and 1000000.");
    dialog.revisionText = "12a";
    EXPECT_EQ(dialog.Accept(), "Please enter an integer.");
    dialog.revisionText = "99999999999999999999";
    EXPECT_EQ(dialog.Accept(), "Please enter an integer.");
    dialog.revisionText = " 0 ";
    EXPECT_EQ(dialog.Accept(), "");

    // Text the saved project could not hold again: Latin-1 bytes, a control character.
    dialog.changeReason = "line one\nline two\tend";
    EXPECT_EQ(dialog.Accept(), "");
    dialog.userName = "M\xFCller";
    EXPECT_EQ(dialog.Accept(), "The user name holds characters that cannot be saved (control characters or bytes "
                               "that are not UTF-8).");
    dialog.userName = "M\xC3\xBCller";
    dialog.changeDescription = "bell\x07";
    EXPECT_NE(dialog.Accept().find("The change description holds"), std::string::npos);
}

}  // namespace
