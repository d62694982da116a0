#include "cli/cli_runner.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream(path) << text;
}

// Create and modify through member lists; a refused list writes nothing.
TEST(CliDatasets, CreateModifyAndList)
{
    TempDir dir;
    const std::string project = TestDataPath("goose_connected.scd");
    WriteText(dir.File("new.txt"), "LD0/GGIO1.Ind1.stVal [ST]\nLD0/GGIO1.Ind2\n\nLD0/MMXU1.TotW\n");
    CliResult created = RunCli({"create-dataset", project, "--ied", "P1", "--ln", "LD0/GGIO1", "--name", "New",
                                "--members", dir.File("new.txt"), "-o", dir.File("created.scd")});
    ASSERT_EQ(created.exitCode, 0) << created.err;
    // Ind1.stVal stays as written, Ind2 leaves, Cnt is added, the order follows the lines.
    WriteText(dir.File("mod.txt"), "LD0/GGIO1.Cnt [ST]\nLD0/GGIO1.Ind1.stVal\nLD0/MMXU1.TotW [MX]\n");
    CliResult modified = RunCli({"modify-dataset", dir.File("created.scd"), "--ied", "P1", "--dataset", "LD0/GGIO1.New",
                                 "--rename", "Changed", "--members", dir.File("mod.txt"), "-o", dir.File("mod.scd")});
    ASSERT_EQ(modified.exitCode, 0) << modified.err;
    CliResult listed = RunCli({"datasets", dir.File("mod.scd"), "--ied", "P1"});
    EXPECT_EQ(listed.out, "LD0/LLN0.DS1\n  LD0/GGIO1.Ind1.stVal [ST]\n  LD0/GGIO1.Ind2.stVal [ST]\n"
                          "  LD0/MMXU1.TotW.mag [MX]\nLD0/GGIO1.Changed\n  LD0/GGIO1.Cnt [ST]\n"
                          "  LD0/GGIO1.Ind1.stVal [ST]\n  LD0/MMXU1.TotW [MX]\n");
    EXPECT_EQ(RunCli({"verify", "--syntax", dir.File("mod.scd")}).exitCode, 0);

    const struct {
        std::vector<std::string> arguments;
        std::string members;
        std::string message;
    } refusals[] = {
        {{"create-dataset", project, "--ied", "P1", "--ln", "LD0/GGIO1", "--name", "A.B"}, "LD0/GGIO1.Cnt\n",
         "cannot hold"},
        {{"create-dataset", project, "--ied", "P1", "--ln", "LD0/GGIO1", "--name", "X"}, "LD0/GGIO1.Nope\n",
         "no such data"},
        {{"create-dataset", project, "--ied", "P1", "--ln", "LD0/GGIO1", "--name", "X"}, "LD0/GGIO1.Cnt [MX]\n",
         "its functional constraint is ST"},
        {{"create-dataset", project, "--ied", "P1", "--ln", "LD0/GGIO1", "--name", "X"},
         "LD0/GGIO1.Cnt [ST]\nLD0/GGIO1.Cnt\n", "already present"},
        {{"modify-dataset", project, "--ied", "P1", "--dataset", "LD0/LLN0.DS1"}, "LD0/GGIO1.Cnt\n", "built-in"},
    };
    for (const auto& refusal : refusals) {
        WriteText(dir.File("m.txt"), refusal.members);
        std::vector<std::string> arguments = refusal.arguments;
        arguments.insert(arguments.end(), {"--members", dir.File("m.txt"), "-o", dir.File("refused.scd")});
        CliResult result = RunCli(arguments);
        EXPECT_EQ(result.exitCode, 2) << refusal.members;
        EXPECT_NE(result.err.find(refusal.message), std::string::npos) << result.err;
        EXPECT_FALSE(FileExists(dir.File("refused.scd")));
    }
}

}  // namespace
