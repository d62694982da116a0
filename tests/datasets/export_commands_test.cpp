#include "datasets/export_dialog.h"
#include "datasets/export_commands.h"

#include "core/varnholt_doc.h"
#include "support/fake_ui.h"
#include "support/test_support.h"
#include "tree/varnholt_view.h"

#include <gtest/gtest.h>

namespace {

class ExportCommands : public ::testing::Test {
protected:
    CVarnholtDoc doc;
    CVarnholtView view{doc};
    FakeUi ui;
    TempDir dir;

    void SetUp() override
    {
        LoadDocText(doc, ReadFileText(TestDataPath("description_example.scd")));
        view.OnInitialUpdate();
    }
};

TEST_F(ExportCommands, WrittenWithCrLfOrAFailureNamedWithNothingLeft)
{
    ui.saveFileNames = {dir.File("v.txt"), dir.File("missing/v.txt")};
    OnExportVariables(view, ui);
    EXPECT_EQ(ui.fileRequests[0].initialName, "Variables");
    EXPECT_EQ(ui.fileRequests[0].filter, "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||");
    std::string text = ReadFileText(dir.File("v.txt"));
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_TRUE(ui.messages.empty());

    OnExportVariables(view, ui);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, "Export variables");
    EXPECT_EQ(ui.messages[0].text.rfind("Cannot write file " + dir.File("missing/v.txt") + ": ", 0), 0u);
    EXPECT_FALSE(FileExists(dir.File("missing")));
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(ExportCommands, DescriptionOfTheIEDChosenInTheDialog)
{
    std::vector<std::string> offered;
    ui.onDialog = [&](DialogModel& model) {
        auto& dialog = dynamic_cast<CExportDialog&>(model);
        offered = dialog.IEDNames();
        EXPECT_EQ(dialog.SelectedIndex(), 0);  // nothing selected in the tree: the first
        dialog.SetSelectedIndex(1);
        return true;
    };
    ui.saveFileNames = {dir.File("d.txt")};
    OnExportIEDDescription(view, ui);
    EXPECT_EQ(offered, (std::vector<std::string>{"E1", "E2", "T1"}));
    EXPECT_EQ(ui.fileRequests.at(0).initialName, "E2_Description");
    EXPECT_EQ(ReadFileText(dir.File("d.txt")).rfind("IED: E2\r\n", 0), 0u);

    ui.onDialog = [](DialogModel& model) {  // a time server has no description: no file asked for
        dynamic_cast<CExportDialog&>(model).SetSelectedIndex(2);
        return true;
    };
    OnExportIEDDescription(view, ui);
    EXPECT_EQ(ui.fileRequests.size(), 1u);
}

TEST_F(ExportCommands, IIDOfTheChosenIEDOrTheCauseOfAFailure)
{
    ui.onDialog = [](DialogModel&) { return true; };  // the first IED
    ui.saveFileNames = {dir.File("e1.cid"), dir.File("missing/e1.cid")};
    OnExportIIDCID(view, ui);
    EXPECT_EQ(ui.fileRequests.at(0).initialName, "E1");
    EXPECT_EQ(ui.fileRequests.at(0).defaultExtension, ".cid");
    EXPECT_NE(ReadFileText(dir.File("e1.cid")).find("<IED name=\"E1\""), std::string::npos);
    OnExportIIDCID(view, ui);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, "Export IID/CID");
    EXPECT_EQ(ui.messages[0].text.rfind("Cannot write file " + dir.File("missing/e1.cid") + ": ", 0), 0u);
    EXPECT_FALSE(doc.IsModified());
}

}  // namespace
