#include "tree_fixture.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <map>

namespace {

// FNV-1a: the golden outlines are kept as fingerprints, so that no third-party text
// is copied into the project.
std::string Fingerprint(const std::string& text)
{
    uint64_t hash = 0xcbf29ce484222325ull;
    for (unsigned char c : text) hash = (hash ^ c) * 0x100000001b3ull;
    char digits[17];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(hash));
    return digits;
}

// tests/data/corpus_tree_fingerprints.tsv: file, tab, the fingerprint of its outline
// (what `varnholt-cli tree` prints). VARNHOLT_UPDATE_GOLDEN=1 writes it anew.
std::map<std::string, std::string> ReadFingerprints(const std::string& path)
{
    std::map<std::string, std::string> table;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        size_t tab = line.find('\t');
        if (tab != std::string::npos) table[line.substr(0, tab)] = line.substr(tab + 1);
    }
    return table;
}

}  // namespace

// Every well-formed file builds a complete tree whose labels and order are those of the
// golden outline, and all its items go again without leaving a record behind.
TEST_F(TreeTest, EveryWellFormedCorpusFileBuildsItsGoldenTree)
{
    SKIP_WITHOUT_CORPUS();
    const std::string goldenPath = TestDataPath("corpus_tree_fingerprints.tsv");
    const std::map<std::string, std::string> golden = ReadFingerprints(goldenPath);
    const bool update = std::getenv("VARNHOLT_UPDATE_GOLDEN") != nullptr;
    std::string written;
    for (const CorpusEntry& entry : CorpusTable()) {
        if (!entry.wellFormed) continue;
        const std::string& file = entry.file;
        SCOPED_TRACE(file);
        ASSERT_TRUE(LoadCorpusFile(file));
        EXPECT_TRUE(view.IsExpansionComplete());
        EXPECT_EQ(CheckedItemCount(), doc.ItemRecordCount());
        const std::string fingerprint = Fingerprint(Outline());
        written += file + "\t" + fingerprint + "\n";
        if (!update) {
            auto expected = golden.find(file);
            EXPECT_TRUE(expected != golden.end() && expected->second == fingerprint)
                << "the outline changed; if that is intended, run with VARNHOLT_UPDATE_GOLDEN=1";
        }
        UsedTypeIds ids;
        EXPECT_TRUE(view.CollectUsedTypeIds(ids));
        while (TreeItem* item = view.FirstRootItem()) {
            view.ReleaseItemRecords(item);
            view.DeleteItem(item);
        }
        EXPECT_EQ(doc.ItemRecordCount(), 0u);
    }
    if (update) WriteFileText(goldenPath, written);
}
