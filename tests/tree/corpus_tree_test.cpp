#include "tree_fixture.h"



TEST_F(TreeTest, EveryWellFormedCorpusFileBuildsATree)
{
    SKIP_WITHOUT_CORPUS();
    for (const CorpusEntry& entry : CorpusTable()) {
        if (!entry.wellFormed) continue;
        const std::string& file = entry.file;
        SCOPED_TRACE(file);
        ASSERT_TRUE(LoadCorpusFile(file));
        EXPECT_GT(view.RootItemCount(), 0);
        EXPECT_TRUE(view.IsExpansionComplete());
        EXPECT_EQ(CheckedItemCount(), doc.ItemRecordCount());
        UsedTypeIds ids;
        EXPECT_TRUE(view.CollectUsedTypeIds(ids));
        while (TreeItem* item = view.FirstRootItem()) {
            view.ReleaseItemRecords(item);
            view.DeleteItem(item);
        }
        EXPECT_EQ(doc.ItemRecordCount(), 0u);
    }
}
