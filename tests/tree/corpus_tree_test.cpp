#include "tree_fixture.h"

#include "core/xml_parse.h"

#include <fstream>

TEST_F(TreeTest, EveryWellFormedCorpusFileBuildsATree)
{
    SKIP_WITHOUT_CORPUS();
    std::ifstream table(CorpusPath("EXPECTED.tsv"));
    std::string line;
    std::getline(table, line);  // column names
    while (std::getline(table, line)) {
        std::istringstream columns(line);
        std::string file, wellFormed;
        std::getline(columns, file, '\t');
        std::getline(columns, wellFormed, '\t');
        if (wellFormed != "yes") continue;
        SCOPED_TRACE(file);
        std::string error;
        xmlDoc* tree = ParseXmlFile(CorpusPath(file), &error);
        ASSERT_NE(tree, nullptr) << error;
        doc.AdoptTree(tree, false);
        view.BuildTree();
        EXPECT_GT(view.RootItemCount(), 0);
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
