// Every third-party file goes through the command-line tool: verify gives the listed
// verdict, and a saved file opens to the same tree as the original.
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
        CliResult verify = RunCli({"verify", "--syntax", "--addresses", path});
        EXPECT_EQ(verify.err.find("Sanitizer"), std::string::npos) << verify.err;
        EXPECT_EQ(verify.err.find("runtime error"), std::string::npos) << verify.err;
        int expected = !listed.wellFormed ? 2 : (listed.schemaValid && listed.datasetFindings == 0 ? 0 : 1);
        EXPECT_EQ(verify.exitCode, expected) << verify.err;
        if (!listed.wellFormed) continue;
        // No corpus file repeats an address.
        EXPECT_TRUE(verify.out.ends_with("\nAddresses are correct\n")) << verify.out;

        CliResult tree = RunCli({"tree", path});
        ASSERT_EQ(tree.exitCode, 0) << tree.err;
        const std::string saved = dir.File("saved-" + listed.file);
        ASSERT_EQ(RunCli({"save", path, "-o", saved, "--keep-invalid"}).exitCode, 0);
        EXPECT_EQ(RunCli({"tree", saved}).out, tree.out);
        // Dropping unused types and old report options never makes a valid file invalid.
        if (expected == 0) {
            EXPECT_EQ(RunCli({"verify", saved}).exitCode, 0);
        }
    }
}

}  // namespace
