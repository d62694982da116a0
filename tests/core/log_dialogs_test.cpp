#include "core/log_dialogs.h"
#include "core/version_history_dialog.h"
#include "support/fake_ui.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace {

TEST(LogDialogs, CopyAndSaveWriteEachLineWithCarriageReturnAndLineFeed)
{
    CVerifyDialog dialog({"first", "second"});
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
    FakeUi ui;
    ui.clipboardAvailable = false;
    EXPECT_FALSE(dialog.CopyLogToClipboard(ui));
    ui.saveFileNames.push_back(std::nullopt);  // cancelled
    EXPECT_FALSE(dialog.SaveLogToFile(ui));
    ui.saveFileNames.push_back(std::string("/nonexistent-folder/log.txt"));
    EXPECT_FALSE(dialog.SaveLogToFile(ui));
    EXPECT_TRUE(ui.messages.empty());
}

TEST(LogDialogs, LinesIntoTheLogsFileShowOnlyTheirLineNumberAndActivateWithTheWholeLine)
{
    struct Case {
        const char* line;
        const char* path;  // null: no location
        long number;
        const char* element;
        const char* shown;
    };
    const Case cases[] = {
        {"/d/a:b.scd:12: element P: Schemas validity error : Element 'P': bad", "/d/a:b.scd", 12, "P",
         "line 12: element P: Schemas validity error : Element 'P': bad"},
        {"second line of the message above", nullptr, 0, "", "second line of the message above"},
        {"/d/a:b.scd:3: parser error : x: 4: y", "/d/a:b.scd", 3, "", "line 3: parser error : x: 4: y"},
        {"C:\\d\\other.scd:7: element IED: e", "C:\\d\\other.scd", 7, "IED", "C:\\d\\other.scd:7: element IED: e"},
        {"Error: dataset DS1 referenced by: LD0/LLN0.gcb1 not found", nullptr, 0, "", nullptr},
        {":5: no path", nullptr, 0, "", nullptr},
        {"/d/a.scd:5:no space", nullptr, 0, "", nullptr},
        {"/d/a.scd:99999999999999999999: too far", nullptr, 0, "", nullptr},
    };
    std::vector<std::string> lines;
    for (const Case& c : cases) lines.emplace_back(c.line);
    CVerifyDialog dialog(lines);
    EXPECT_EQ(dialog.WindowTitle(), "Verification log - a:b.scd");
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        const std::optional<LogLineSource> source = ParseLogLine(c.line);
        ASSERT_EQ(source.has_value(), c.path != nullptr) << c.line;
        if (source) {
            EXPECT_EQ(source->path, c.path);
            EXPECT_EQ(source->line, c.number);
            EXPECT_EQ(source->element, c.element);
        }
        EXPECT_EQ(dialog.ShownLine(i), c.shown ? c.shown : c.line);
    }
    EXPECT_EQ(CXMLLogDialog({"no location"}).WindowTitle(), "XML Parser Log");

    std::vector<std::string> activated;
    dialog.ActivateLine(0);  // no handler yet
    dialog.SetLineHandler([&](const std::string& line) { activated.push_back(line); });
    dialog.ActivateLine(3);
    dialog.ActivateLine(lines.size());
    EXPECT_EQ(activated, std::vector<std::string>{lines[3]});
    EXPECT_EQ(dialog.Text().substr(0, lines[0].size() + 2), lines[0] + "\r\n");
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
