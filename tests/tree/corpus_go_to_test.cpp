// Every Go to command from every item of every corpus file, dialogs answered with
// their last line: a target is an item of the view, of a kind the command leads to.
#include "lookup_fixture.h"

#include "core/command_ids.h"
#include "tree/go_selection_dialog.h"
#include "tree/go_to.h"

#include <map>
#include <set>

TEST_F(LookupTest, GoToFromEveryItemOfTheCorpus)
{
    SKIP_WITHOUT_CORPUS();
    const std::map<int, std::set<int32_t>> targetKinds{
        {kCmdGoToAccessPoint, {kKindAccessPoint}},
        {kCmdGoToDataset, {kKindDataSet}},
        {kCmdGoToDataElement, {kKindLN, kKindDO, kKindSDO, kKindDA, kKindBDA}},
        {kCmdGoToControlBlock, {kKindReportControl, kKindGSEControl}},
        {kCmdGoToAddress, {kKindConnectedAP, kKindGSEAddress}},
        {kCmdGoToDatasetElement, {kKindFCDA}},
    };
    ui.onDialog = [](DialogModel& model) {
        auto& dialog = dynamic_cast<CGoSelectionDialog&>(model);
        dialog.SetSelectedIndex(static_cast<int>(dialog.Choices().size()) - 1);
        return true;
    };
    std::map<int, int> jumps;
    for (const CorpusEntry& entry : CorpusTable()) {
        if (!entry.wellFormed) continue;
        const std::string& file = entry.file;
        SCOPED_TRACE(file);
        ASSERT_TRUE(LoadCorpusFile(file));
        std::vector<TreeItem*> items;
        for (TreeItem* item = view.FirstRootItem(); item; item = NextItemInPreOrder(item)) items.push_back(item);
        for (TreeItem* start : items) {
            for (const auto& [command, kinds] : targetKinds) {
                view.Select(start);
                if (!OnGoToCommand(view, command, ui)) continue;
                ++jumps[command];
                TreeItem* root = view.Selected();
                while (root->Parent()) root = root->Parent();
                ASSERT_EQ(view.RootItem(root->Row()), root) << PathOf(start);
                EXPECT_TRUE(kinds.count(view.SelectedRecord()->kind)) << command << " from " << PathOf(start);
            }
        }
    }
    EXPECT_TRUE(ui.messages.empty());
    for (const auto& [command, kinds] : targetKinds) EXPECT_GT(jumps[command], 0) << command;
}
