#include "datasets/export_dialog.h"
#include "datasets/export_commands.h"

#include "core/varnholt_doc.h"
#include "support/fake_ui.h"
#include "support/test_support.h"
#include "tree/varnholt_view.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;

// Each export writes the file of the IED chosen in the dialog (the first preselected
// while the tree selects none), or shows the file and the cause of a failure and
// leaves nothing behind; the project stays unmodified.
TEST(ExportCommands, WrittenOrTheFailureNamed)
{
    CVarnholtDoc doc;
    CVarnholtView view{doc};
    LoadDocText(doc, ReadFileText(TestDataPath("description_example.scd")));
    view.OnInitialUpdate();
    const struct {
        void (*command)(CVarnholtView&, UserInterface&);
        int chosen;
        const char* title;
        const char* initialName;
        const char* start;  // of the file written
        const char* end;
    } cases[] = {
        {OnExportVariables, -1, "Export variables", "Variables", "E1", "\r\n"},
        {OnExportIEDDescription, 1, "Export IED description", "E2_Description", "IED: E2\r\n", "\r\n"},
        {OnExportIIDCID, -1, "Export IID/CID", "E1", "<?xml", ">\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        TempDir dir;
        FakeUi ui;
        std::vector<std::string> offered;
        ui.onDialog = [&](DialogModel& model) {
            auto& dialog = dynamic_cast<CExportDialog&>(model);
            offered = dialog.IEDNames();
            EXPECT_EQ(dialog.SelectedIndex(), 0);
            if (c.chosen >= 0) dialog.SetSelectedIndex(c.chosen);
            return true;
        };
        ui.saveFileNames = {dir.File("out"), dir.File("missing/out")};
        c.command(view, ui);
        EXPECT_EQ(ui.fileRequests.at(0).initialName, c.initialName);
        const std::string text = ReadFileText(dir.File("out"));
        EXPECT_EQ(text.rfind(c.start, 0), 0u) << text.substr(0, 80);
        EXPECT_EQ(text.substr(text.size() - 2), c.end);
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_EQ(offered, (c.command == OnExportVariables ? Names{} : Names{"E1", "E2", "T1"}));

        c.command(view, ui);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].title, c.title);
        EXPECT_EQ(ui.messages[0].text.rfind("Cannot write file " + dir.File("missing/out") + ": ", 0), 0u);
        EXPECT_FALSE(FileExists(dir.File("missing")));
    }
    EXPECT_FALSE(doc.IsModified());

    // A time server has no description: no file is asked for.
    FakeUi ui;
    ui.onDialog = [](DialogModel& model) {
        dynamic_cast<CExportDialog&>(model).SetSelectedIndex(2);
        return true;
    };
    OnExportIEDDescription(view, ui);
    EXPECT_TRUE(ui.fileRequests.empty());
}

}  // namespace
