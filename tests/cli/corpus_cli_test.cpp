// Every third-party file goes through the command-line tool: verify gives the
// listed verdict, and a saved file opens to the same tree as the original.
#include "cli/cli_runner.h"
#include "support/test_support.h"

#include <gtest/gtest.h>


namespace {

TEST(CorpusThroughCli, VerifyTreeAndSaveRoundTrip)
{
    SKIP_WITHOUT_CORPUS();
    TempDir dir;
    for (const CorpusEntry& listed : CorpusTable()) {
        SCOPED_TRACE(listed.file);
        const std::string path = CorpusPath(listed.file);
        CliResult verify = RunCli({"verify", path});
        int expected = !listed.wellFormed ? 2 : (listed.schemaValid && listed.datasetFindings == 0 ? 0 : 1);
        EXPECT_EQ(verify.exitCode, expected) << verify.err;
        if (!listed.wellFormed) continue;

        CliResult tree = RunCli({"tree", path});
        ASSERT_EQ(tree.exitCode, 0) << tree.err;
        EXPECT_FALSE(tree.out.empty());
        const std::string saved = dir.File("saved-" + listed.file);
        CliResult save = RunCli({"save", path, "-o", saved, "--keep-invalid"});
        ASSERT_EQ(save.exitCode, 0) << save.err;
        CliResult again = RunCli({"tree", saved});
        ASSERT_EQ(again.exitCode, 0) << again.err;
        EXPECT_EQ(again.out, tree.out);
        // Dropping unused types and old report options never makes a valid file invalid.
        if (expected == 0) {
            EXPECT_EQ(RunCli({"verify", saved}).exitCode, 0);
        }
    }
}

}  // namespace
