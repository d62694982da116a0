#include "document/log_dialogs.h"
#include "support/fake_ui.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace {

TEST(LogDialogs, LinesIntoTheLogsFileShowTheirLineNumberActivateWithTheWholeLineAndAreCopiedWhole)
{
    const struct {
        const char *line, *source, *shown;  // source "path|line|element" or ""; shown null: the line itself
    } cases[] = {
        {"/d/a:b.scd:12: element P: Schemas validity error : Element '{urn:x}P': bad ( {urn:x}Q, ##other{urn:x}* ) '{a b}' '{x'y}'",
         "/d/a:b.scd|12|P", "line 12: element P: Element 'P': bad ( Q, ##other* ) '{a b}' '{x'y}'"},
        {"second line of the message above", "", nullptr},
        {"/d/a:b.scd:3: parser error : x: 4: y", "/d/a:b.scd|3|", "line 3: parser error : x: 4: y"},
        {"C:\\d\\other.scd:7: element IED: e", "C:\\d\\other.scd|7|IED", nullptr},
        {":5: no path", "", nullptr},
        {"/d/a.scd:5:no space", "", nullptr},
        {"/d/a.scd:99999999999999999999: too far", "", nullptr},
    };
    std::vector<std::string> lines;
    for (const auto& c : cases) lines.emplace_back(c.line);
    CVerifyDialog dialog(lines);
    EXPECT_EQ(dialog.WindowTitle(), "Verification log - a:b.scd");
    for (size_t i = 0; i < std::size(cases); ++i) {
        const std::optional<LogLineSource> source = ParseLogLine(cases[i].line);
        const std::string parsed = source ? std::string(source->path) + "|" + std::to_string(source->line) + "|" +
                                                std::string(source->element) : "";
        EXPECT_EQ(parsed, cases[i].source) << cases[i].line;
        EXPECT_EQ(dialog.ShownLine(i), cases[i].shown ? cases[i].shown : cases[i].line);
    }

    std::vector<std::string> activated;
    dialog.ActivateLine(0);  // no handler yet
    dialog.SetLineHandler([&](const std::string& line) { activated.push_back(line); });
    dialog.ActivateLine(3);
    dialog.ActivateLine(lines.size());
    EXPECT_EQ(activated, std::vector<std::string>{lines[3]});

    // Copy and Save give each line with carriage return and line feed.
    const CVerifyDialog two({"first", "second"});
    FakeUi ui;
    TempDir dir;
    WriteFileText(dir.File("log.txt"), "previous content that is longer than the log");
    // Then Cancel, or a file that cannot be written: nothing is shown.
    ui.saveFileNames = {dir.File("log.txt"), std::nullopt, std::string("/nonexistent-folder/log.txt")};
    EXPECT_TRUE(two.SaveLogToFile(ui));
    EXPECT_FALSE(two.SaveLogToFile(ui));
    EXPECT_FALSE(two.SaveLogToFile(ui));
    EXPECT_EQ(ReadFileText(dir.File("log.txt")), "first\r\nsecond\r\n");
    EXPECT_TRUE(two.CopyLogToClipboard(ui));
    EXPECT_EQ(ui.clipboard, "first\r\nsecond\r\n");
    ui.clipboardAvailable = false;
    EXPECT_FALSE(two.CopyLogToClipboard(ui));
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
