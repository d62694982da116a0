#include "cli/cli_runner.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace {

// The lines on stdout with LF; with -o the file the desktop writes, CR LF after each.
TEST(CliExports, LinesOnStdoutOrTheFileWithCrLf)
{
    TempDir dir;
    const std::string project = TestDataPath("variables_example.scd");
    CliResult printed = RunCli({"variables", project});
    EXPECT_EQ(printed.exitCode, 0) << printed.err;
    EXPECT_EQ(printed.out.rfind("E1CTRL/LLN0$Events\nE1CTRL/Q0XCBR1$ST$Pos\n", 0), 0u) << printed.out;
    ASSERT_EQ(RunCli({"variables", project, "-o", dir.File("v.txt")}).exitCode, 0);
    std::string crlf = printed.out;
    for (size_t at = 0; (at = crlf.find('\n', at)) != std::string::npos; at += 2) crlf.insert(at, "\r");
    EXPECT_EQ(ReadFileText(dir.File("v.txt")), crlf);

    CliResult unwritable = RunCli({"variables", project, "-o", dir.File("missing/v.txt")});
    EXPECT_EQ(unwritable.exitCode, 2);
    EXPECT_NE(unwritable.err.find(dir.File("missing/v.txt") + ": "), std::string::npos) << unwritable.err;

    const std::string described = TestDataPath("description_example.scd");
    CliResult description = RunCli({"description", described, "--ied", "E1"});
    EXPECT_EQ(description.exitCode, 0) << description.err;
    EXPECT_EQ(description.out.rfind("IED: E1\n", 0), 0u) << description.out;
    CliResult unknown = RunCli({"description", described, "--ied", "T1", "-o", dir.File("d.txt")});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_FALSE(FileExists(dir.File("d.txt")));

    ASSERT_EQ(RunCli({"export-iid", described, "--ied", "E1", "-o", dir.File("e1.cid")}).exitCode, 0);
    EXPECT_EQ(RunCli({"verify", dir.File("e1.cid")}).exitCode, RunCli({"verify", described}).exitCode);
    EXPECT_EQ(RunCli({"export-iid", described, "--ied", "Q", "-o", dir.File("q.cid")}).exitCode, 2);
    EXPECT_FALSE(FileExists(dir.File("q.cid")));
}

}  // namespace

namespace {

TEST(CliStructure, AddSubnetworkPrintsItsNameAndDeleteTakesOneTarget)
{
    TempDir dir;
    ASSERT_EQ(RunCli({"new", "-o", dir.File("new.scd")}).exitCode, 0);
    CliResult added = RunCli({"add-subnetwork", dir.File("new.scd"), "-o", dir.File("net.scd")});
    EXPECT_EQ(added.exitCode, 0) << added.err;
    EXPECT_EQ(added.out, "Subnet2\n");
    CliResult timeServer = RunCli({"add-time-server", dir.File("net.scd"), "--subnetwork", "Subnet2", "--ip",
                                   "10.0.0.5", "-o", dir.File("ts.scd")});
    EXPECT_EQ(timeServer.exitCode, 0) << timeServer.err;
    EXPECT_EQ(timeServer.out, "TimeServer1\n");
    CliResult removed = RunCli({"delete", dir.File("ts.scd"), "--time-server", "TimeServer1", "-o", dir.File("no-ts.scd")});
    EXPECT_EQ(removed.exitCode, 0) << removed.err;
    EXPECT_EQ(ReadFileText(dir.File("no-ts.scd")).find("TimeServer1"), std::string::npos);
    const std::string project = TestDataPath("one_ied.scd");
    CliResult deleted = RunCli({"delete", project, "--dataset", "P1/LD0/LLN0.DS1", "-o", dir.File("d.scd")});
    EXPECT_EQ(deleted.exitCode, 0) << deleted.err;
    EXPECT_EQ(ReadFileText(dir.File("d.scd")).find("DS1"), std::string::npos);
    EXPECT_EQ(RunCli({"delete", project, "--ied", "Q", "-o", dir.File("q.scd")}).exitCode, 2);
    EXPECT_EQ(RunCli({"delete", project, "--ied", "P1", "--dataset", "P1/LD0/LLN0.DS1", "-o", dir.File("q.scd")})
                  .exitCode,
              2);
    EXPECT_FALSE(FileExists(dir.File("q.scd")));
}

}  // namespace
