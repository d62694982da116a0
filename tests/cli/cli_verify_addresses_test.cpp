#include "cli/cli_runner.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

TEST(CliVerifyAddresses, ChecksRunSyntaxFirstAndAnyFindingsGiveOne)
{
    TempDir dir;
    std::string duplicated = ReadFileText(TestDataPath("one_ied.scd"));
    duplicated.insert(duplicated.find("</SubNetwork>"), "<ConnectedAP iedName=\"P2\" apName=\"AP9\"><Address>"
                                                         "<P type=\"IP\">192.168.1.11</P></Address></ConnectedAP>");
    WriteFileText(dir.File("dup.scd"), duplicated);
    const std::string line = "Error: Subnetwork N1: IP for IED:P2 AP:AP9 is duplicated\n";
    CliResult addresses = RunCli({"verify", "--addresses", dir.File("dup.scd")});
    EXPECT_EQ(addresses.exitCode, 1) << addresses.err;
    EXPECT_EQ(addresses.out, line);
    CliResult both = RunCli({"verify", "--addresses", "--syntax", dir.File("dup.scd")});
    EXPECT_EQ(both.exitCode, 1);
    EXPECT_EQ(both.out, "Document is correct\n" + line);

    CliResult clean = RunCli({"verify", "--syntax", "--addresses", TestDataPath("one_ied.scd")});
    EXPECT_EQ(clean.exitCode, 0) << clean.err;
    EXPECT_EQ(clean.out, "Document is correct\nAddresses are correct\n");

    WriteFileText(dir.File("invalid.scd"), SclDocument("<Substation/>"));
    CliResult invalid = RunCli({"verify", "--syntax", "--addresses", dir.File("invalid.scd")});
    EXPECT_EQ(invalid.exitCode, 1);
    EXPECT_TRUE(invalid.out.ends_with("\nAddresses are correct\n")) << invalid.out;
}

TEST(CorpusThroughCli, VerifyAddressesOnEveryFile)
{
    SKIP_WITHOUT_CORPUS();
    for (const CorpusEntry& entry : CorpusTable()) {
        const std::string& file = entry.file;
        const bool wellFormed = entry.wellFormed;
        SCOPED_TRACE(file);
        CliResult result = RunCli({"verify", "--addresses", CorpusPath(file)});
        EXPECT_EQ(result.err.find("Sanitizer"), std::string::npos) << result.err;
        EXPECT_EQ(result.err.find("runtime error"), std::string::npos) << result.err;
        EXPECT_EQ(result.exitCode, wellFormed ? 0 : 2) << result.err;
        EXPECT_EQ(result.out, wellFormed ? "Addresses are correct\n" : "");  // no corpus file repeats an address
    }
}

}  // namespace
