#include "cli/cli_runner.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace {

TEST(CliVerifyGoose, FindingsAfterTheOtherChecksOrTheAllClearLine)
{
    CliResult goose = RunCli({"verify", "--goose", TestDataPath("goose_verify.scd")});
    EXPECT_EQ(goose.exitCode, 1) << goose.err;
    EXPECT_EQ(goose.out.rfind("Type of ExtRef: V.LD0.LLN0 Input[5] Int Addr: NI6 is invalid\n", 0), 0u) << goose.out;
    EXPECT_NE(goose.out.find("\nType of ExtRef: S.LD0.LLN0 Input[0] Int Addr: ANI1 is invalid\n"), std::string::npos);

    CliResult all = RunCli({"verify", "--goose", "--addresses", "--syntax", TestDataPath("goose_verify.scd")});
    EXPECT_EQ(all.exitCode, 1);
    EXPECT_EQ(all.out, "Document is correct\nAddresses are correct\n" + goose.out);

    CliResult clean = RunCli({"verify", "--goose", TestDataPath("goose_connected.scd")});
    EXPECT_EQ(clean.exitCode, 0) << clean.err;
    EXPECT_EQ(clean.out, "GOOSE Inputs are correctly configured\n");
}

TEST(CliUpdateInputs, PrintsTheLogAndSavesOnlyWhatChanged)
{
    TempDir dir;
    CliResult unchanged =
        RunCli({"update-inputs", TestDataPath("goose_connected.scd"), "--ied", "R", "-o", dir.File("same.scd")});
    EXPECT_EQ(unchanged.exitCode, 0) << unchanged.err;
    EXPECT_EQ(unchanged.out, "");
    ASSERT_EQ(RunCli({"save", TestDataPath("goose_connected.scd"), "-o", dir.File("saved.scd")}).exitCode, 0);
    EXPECT_EQ(ReadFileText(dir.File("same.scd")), ReadFileText(dir.File("saved.scd")));

    CliResult updated = RunCli({"update-inputs", TestDataPath("goose_update.scd"), "--ied", "R", "-o",
                                dir.File("updated.scd"), "--keep-invalid", "--who", "tester"});
    EXPECT_EQ(updated.exitCode, 1);
    EXPECT_EQ(updated.out.rfind("Information: external reference created for input NI2:01-0C-CD-01-00-01:0001:1:1:P1gcb1\n"
                                "Error: no match found for input NI3:",
                                0),
              0u)
        << updated.out;
    std::string saved = ReadFileText(dir.File("updated.scd"));
    size_t start = saved.rfind("<ExtRef", saved.find("intAddr=\"NI2:"));
    std::string created = saved.substr(start, saved.find("/>", start) - start);
    for (const char* attribute : {"iedName=\"P1\"", "ldInst=\"LD0\"", "prefix=\"\"", "lnClass=\"GGIO\"", "lnInst=\"1\"",
                                  "doName=\"Ind2\"", "daName=\"stVal\""})
        EXPECT_NE(created.find(attribute), std::string::npos) << created;
    EXPECT_NE(saved.find("who=\"tester\""), std::string::npos);
}

TEST(CliUpdateInputs, RefusesWithoutAnIEDOrAValidFile)
{
    TempDir dir;
    const std::string out = dir.File("out.scd");
    EXPECT_EQ(RunCli({"update-inputs", TestDataPath("goose_connected.scd"), "-o", out}).exitCode, 2);
    CliResult unknown = RunCli({"update-inputs", TestDataPath("goose_connected.scd"), "--ied", "Nobody", "-o", out});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_NE(unknown.err.find("no IED named Nobody"), std::string::npos);
    EXPECT_EQ(RunCli({"update-inputs", TestDataPath("goose_update.scd"), "--ied", "R", "-o", out}).exitCode, 1);
    EXPECT_FALSE(FileExists(out));
}

}  // namespace
