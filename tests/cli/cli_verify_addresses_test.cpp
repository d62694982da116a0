#include "cli/cli_runner.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

bool SanitizerSpoke(const std::string& err)
{
    return err.find("Sanitizer") != std::string::npos || err.find("runtime error") != std::string::npos;
}

TEST(CliVerifyAddresses, ChecksRunSyntaxFirstAndAnyFindingsGiveOne)
{
    TempDir dir;
    std::string duplicated = ReadFileText(TestDataPath("one_ied.scd"));
    duplicated.replace(duplicated.find("</SubNetwork>"), 0,
                       "<ConnectedAP iedName=\"P2\" apName=\"AP9\"><Address><P type=\"IP\">192.168.1.11</P>"
                       "</Address></ConnectedAP>");
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
    EXPECT_EQ(RunCli({"verify", "--addresses", TestDataPath("one_ied.scd")}).out, "Addresses are correct\n");
    EXPECT_EQ(RunCli({"verify", TestDataPath("one_ied.scd")}).out, "Document is correct\n");

    WriteFileText(dir.File("invalid.scd"), SclDocument("<Substation/>"));
    CliResult invalid = RunCli({"verify", "--syntax", "--addresses", dir.File("invalid.scd")});
    EXPECT_EQ(invalid.exitCode, 1);
    EXPECT_NE(invalid.out.find("Schemas validity error"), std::string::npos);
    EXPECT_EQ(invalid.out.substr(invalid.out.size() - 22), "Addresses are correct\n");

    WriteFileText(dir.File("text.scd"), "plain text");
    CliResult unreadable = RunCli({"verify", "--addresses", dir.File("text.scd")});
    EXPECT_EQ(unreadable.exitCode, 2);
    EXPECT_EQ(unreadable.out, "");
}

TEST(CorpusThroughCli, VerifyAddressesOnEveryFile)
{
    SKIP_WITHOUT_CORPUS();
    std::istringstream table(ReadFileText(CorpusPath("EXPECTED.tsv")));
    std::string line;
    std::getline(table, line);
    int files = 0;
    while (std::getline(table, line)) {
        std::string file = line.substr(0, line.find('\t'));
        bool wellFormed = line.find("\tyes\t") != std::string::npos;
        SCOPED_TRACE(file);
        CliResult result = RunCli({"verify", "--addresses", CorpusPath(file)});
        EXPECT_FALSE(SanitizerSpoke(result.err)) << result.err;
        EXPECT_EQ(result.exitCode, wellFormed ? 0 : 2) << result.err;
        if (wellFormed) {
            EXPECT_EQ(result.out, "Addresses are correct\n");  // no corpus file repeats an address
        }
        ++files;
    }
    EXPECT_GT(files, 0);
}

}  // namespace
