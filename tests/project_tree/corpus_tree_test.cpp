#include "tree_fixture.h"

#include "document/command_ids.h"
#include "project_tree/go_selection_dialog.h"
#include "project_tree/go_to.h"

#include <cstdint>
#include <cstdlib>
#include <map>
#include <set>

// Every well-formed file builds a complete tree whose labels and order are those of the
// golden outline; every Go to command from every item (dialogs answered with their last
// line) leads to an item of the view of a kind the command leads to; and all its items
// go again without leaving a record behind.
TEST_F(TreeTest, EveryWellFormedCorpusFileBuildsItsGoldenTree)
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
    std::string fingerprints;
    for (const CorpusEntry& entry : CorpusTable()) {
        if (!entry.wellFormed) continue;
        const std::string& file = entry.file;
        SCOPED_TRACE(file);
        ASSERT_TRUE(LoadCorpusFile(file));
        EXPECT_TRUE(view.IsExpansionComplete());
        EXPECT_EQ(CheckedItemCount(), doc.ItemRecordCount());
        fingerprints += file + "\t" + Fingerprint(Outline()) + "\n";
        for (TreeItem* start = view.FirstRootItem(); start; start = NextItemInPreOrder(start)) {
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
        while (TreeItem* item = view.FirstRootItem()) {
            view.ReleaseItemRecords(item);
            view.DeleteItem(item);
        }
        EXPECT_EQ(doc.ItemRecordCount(), 0u);
    }
    EXPECT_TRUE(ui.messages.empty());
    for (const auto& [command, kinds] : targetKinds) EXPECT_GT(jumps[command], 0) << command;
    // tests/data/corpus_tree_fingerprints.tsv: file, tab, the fingerprint of its outline
    // (what `varnholt-cli tree` prints). VARNHOLT_UPDATE_GOLDEN=1 writes it anew.
    const std::string goldenPath = TestDataPath("corpus_tree_fingerprints.tsv");
    if (std::getenv("VARNHOLT_UPDATE_GOLDEN")) WriteFileText(goldenPath, fingerprints);
    EXPECT_EQ(fingerprints, ReadFileText(goldenPath)) << "an outline changed; if intended, run with VARNHOLT_UPDATE_GOLDEN=1";
}
