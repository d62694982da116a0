#include "core/log_dialogs.h"
#include "support/fake_ui.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace {

TEST(LogDialogs, CopyAndSaveGiveEachLineWithCarriageReturnAndLineFeed)
{
    CVerifyDialog dialog({"first", "second"});
    FakeUi ui;
    EXPECT_TRUE(dialog.CopyLogToClipboard(ui));
    EXPECT_EQ(ui.clipboard, "first\r\nsecond\r\n");

    TempDir dir;
    WriteFileText(dir.File("log.txt"), "previous content that is longer than the log");
    ui.saveFileNames = {dir.File("log.txt"), std::nullopt, std::string("/nonexistent-folder/log.txt")};
    EXPECT_TRUE(dialog.SaveLogToFile(ui));
    EXPECT_EQ(ReadFileText(dir.File("log.txt")), "first\r\nsecond\r\n");
    // Cancelled, or a file that cannot be written: nothing is shown.
    EXPECT_FALSE(dialog.SaveLogToFile(ui));
    EXPECT_FALSE(dialog.SaveLogToFile(ui));
    ui.clipboardAvailable = false;
    EXPECT_FALSE(dialog.CopyLogToClipboard(ui));
    EXPECT_TRUE(ui.messages.empty());
}

TEST(LogDialogs, LinesIntoTheLogsFileShowOnlyTheirLineNumberAndActivateWithTheWholeLine)
{
    struct Case {
        const char* line;
        const char* path;  // null: no location
        long number;
        const char* element;
        const char* shown;  // null: the line itself
    };
    const Case cases[] = {
        {"/d/a:b.scd:12: element P: Schemas validity error : Element 'P': bad", "/d/a:b.scd", 12, "P",
         "line 12: element P: Schemas validity error : Element 'P': bad"},
        {"second line of the message above", nullptr, 0, "", nullptr},
        {"/d/a:b.scd:3: parser error : x: 4: y", "/d/a:b.scd", 3, "", "line 3: parser error : x: 4: y"},
        {"C:\\d\\other.scd:7: element IED: e", "C:\\d\\other.scd", 7, "IED", nullptr},
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

    std::vector<std::string> activated;
    dialog.ActivateLine(0);  // no handler yet
    dialog.SetLineHandler([&](const std::string& line) { activated.push_back(line); });
    dialog.ActivateLine(3);
    dialog.ActivateLine(lines.size());
    EXPECT_EQ(activated, std::vector<std::string>{lines[3]});
}

}  // namespace
