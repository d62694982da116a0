#include "cli/cli_runner.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cctype>


namespace {

TEST(CliVerify, ExitCodeTellsCorrectFindingsOrUnreadable)
{
    CliResult correct = RunCli({"verify", TestDataPath("one_ied.scd")});
    EXPECT_EQ(correct.exitCode, 0);
    EXPECT_EQ(correct.out, "Document is correct\n");

    TempDir dir;
    std::string fixture = ReadFileText(TestDataPath("one_ied.scd"));
    std::string broken = fixture;
    broken.replace(broken.find("<Bay name=\"B1\"/>"), 16, "<Bay name=\"\"/>");
    broken.replace(broken.find("datSet=\"DS1\" rptID"), 12, "datSet=\"DS9\"");
    WriteFileText(dir.File("broken.scd"), broken);
    CliResult findings = RunCli({"verify", dir.File("broken.scd")});
    EXPECT_EQ(findings.exitCode, 1);
    EXPECT_NE(findings.out.find("Schemas validity error"), std::string::npos) << findings.out;
    EXPECT_NE(findings.out.find("Error: dataset DS9 referenced by: LD0/LLN0.rcb1 not found\n"), std::string::npos)
        << findings.out;
    EXPECT_LT(findings.out.find("Schemas validity error"), findings.out.find("Error: dataset"));

    WriteFileText(dir.File("text.scd"), "plain text");
    CliResult unreadable = RunCli({"verify", dir.File("text.scd")});
    EXPECT_EQ(unreadable.exitCode, 2);
    EXPECT_EQ(unreadable.out, "");
    EXPECT_NE(unreadable.err.find(dir.File("text.scd") + ": line 1: "), std::string::npos) << unreadable.err;
}

TEST(CliTree, PrintsOneItemPerLineIndentedByDepth)
{
    CliResult tree = RunCli({"tree", TestDataPath("one_ied.scd")});
    EXPECT_EQ(tree.exitCode, 0) << tree.err;
    EXPECT_EQ(tree.out.rfind("Substation: S1\n  VoltageLevel: V1\n    Bay: B1\nCommunication\n", 0), 0u)
        << tree.out;
    EXPECT_NE(tree.out.find("\n    ConnectedAP: IED: P1 AP: AP1 [G]\n"), std::string::npos) << tree.out;
    EXPECT_NE(tree.out.find("\nIED: P1 [G]\n"), std::string::npos) << tree.out;
    EXPECT_NE(tree.out.find("\n        LN: LLN0 [G] [R] [D]\n"), std::string::npos) << tree.out;

    CliResult fresh = RunCli({"tree"});
    EXPECT_EQ(fresh.out,
              "Substation: IEC61850 station\n  VoltageLevel: Voltage level1\n    Bay: Field1\n"
              "Communication\n  SubNetwork: Subnet1\n    BitRate\n");
}

TEST(CliSave, HistoryEntryOnlyWhenAskedForAndInvalidFilesOnlyWhenKept)
{
    TempDir dir;
    CliResult plain = RunCli({"save", TestDataPath("one_ied.scd"), "-o", dir.File("plain.scd")});
    EXPECT_EQ(plain.exitCode, 0) << plain.err;
    EXPECT_EQ(ReadFileText(dir.File("plain.scd")).find("Hitem"), std::string::npos);

    CliResult entry = RunCli({"save", TestDataPath("one_ied.scd"), "-o", dir.File("entry.scd"), "--who", "me",
                              "--what", "Wired P1", "--version", "4"});
    EXPECT_EQ(entry.exitCode, 0) << entry.err;
    std::string saved = ReadFileText(dir.File("entry.scd"));
    EXPECT_NE(saved.find("<Hitem version=\"4\" revision=\"8\" when=\""), std::string::npos) << saved;
    EXPECT_NE(saved.find("who=\"me\" what=\"Wired P1\" why=\"Why it has been changed\"/>"), std::string::npos);

    const std::pair<std::vector<std::string>, std::string> refusals[] = {
        {{"--revision", "x"}, "Please enter an integer."},
        {{"--who", "M\xFCller"}, "The user name holds characters that cannot be saved"},
    };
    for (const auto& [options, message] : refusals) {
        std::vector<std::string> arguments = {"save", TestDataPath("one_ied.scd"), "-o", dir.File("bad.scd")};
        arguments.insert(arguments.end(), options.begin(), options.end());
        CliResult refused = RunCli(arguments);
        EXPECT_EQ(refused.exitCode, 2);
        EXPECT_NE(refused.err.find(message), std::string::npos) << refused.err;
        EXPECT_FALSE(FileExists(dir.File("bad.scd")));
    }

    std::string invalid = SclDocument("<Substation/>");
    WriteFileText(dir.File("invalid.scd"), invalid);
    EXPECT_EQ(RunCli({"save", dir.File("invalid.scd"), "-o", dir.File("out.scd")}).exitCode, 1);
    EXPECT_FALSE(FileExists(dir.File("out.scd")));
    EXPECT_EQ(RunCli({"save", dir.File("invalid.scd"), "-o", dir.File("out.scd"), "--keep-invalid"}).exitCode, 0);
    EXPECT_TRUE(FileExists(dir.File("out.scd")));
}

TEST(CliNew, WritesTheTemplateThatVerifiesClean)
{
    TempDir dir;
    CliResult created = RunCli({"new", "-o", dir.File("new.scd")});
    EXPECT_EQ(created.exitCode, 0) << created.err;
    CliResult verified = RunCli({"verify", dir.File("new.scd")});
    EXPECT_EQ(verified.exitCode, 0);
    EXPECT_EQ(verified.out, "Document is correct\n");
}

// Every command: its help, the refusal of an option it does not take, and a file that
// does not exist named with the cause.
TEST(CliCommandLine, HelpForeignOptionsAndMissingFiles)
{
    TempDir dir;
    const std::string missing = dir.File("missing.scd"), out = dir.File("out.scd"), list = dir.File("list.txt");
    const std::string project = TestDataPath("one_ied.scd");
    WriteFileText(list, "LD0/GGIO1.Cnt\n");
    const struct {
        std::vector<std::string> arguments;  // complete but for the missing file
        std::string foreign;                 // an option of another command
    } commands[] = {
        {{"verify", missing}, "--ied"},
        {{"tree", missing}, "-o"},
        {{"save", missing, "-o", out}, "--ied"},
        {{"new", "-o", missing + "/out.scd"}, "--name"},
        {{"update-inputs", missing, "--ied", "P1", "-o", out}, "--name"},
        {{"add-ied", project, missing, "-o", out}, "--ied"},
        {{"update-ied", missing, project, "--ied", "P1", "-o", out}, "--name"},
        {{"variables", missing}, "--ied"},
        {{"description", missing, "--ied", "P1"}, "--script"},
        {{"export-iid", missing, "--ied", "P1", "-o", out}, "--keep-invalid"},
        {{"add-subnetwork", missing, "-o", out}, "--name"},
        {{"add-time-server", missing, "-o", out}, "--ied"},
        {{"delete", missing, "--ied", "P1", "-o", out}, "--name"},
        {{"datasets", missing, "--ied", "P1"}, "-o"},
        {{"create-dataset", project, "--ied", "P1", "--ln", "LD0/GGIO1", "--name", "X", "--members", missing, "-o",
          out},
         "--rename"},
        {{"modify-dataset", missing, "--ied", "P1", "--dataset", "LD0/GGIO1.X", "--members", list, "-o", out}, "--ln"},
        {{"mapping", missing}, "-o"},
        {{"map", project, "--script", missing, "-o", out}, "--members"},
    };
    for (const auto& command : commands) {
        const std::string& name = command.arguments[0];
        SCOPED_TRACE(name);
        CliResult unreadable = RunCli(command.arguments);
        EXPECT_EQ(unreadable.exitCode, 2);
        const size_t at = unreadable.err.find(missing);
        std::string line = at == std::string::npos ? "" : unreadable.err.substr(at, unreadable.err.find('\n', at) - at);
        for (char& c : line) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_NE(line.find(": no such file or directory"), std::string::npos) << unreadable.err;
        EXPECT_FALSE(FileExists(out));

        std::vector<std::string> foreign = command.arguments;
        foreign.insert(foreign.begin() + 1, {command.foreign, "x"});
        CliResult refused = RunCli(foreign);
        EXPECT_EQ(refused.exitCode, 2);
        EXPECT_NE(refused.err.find("varnholt-cli " + name + ": " + name + " takes no option " + command.foreign),
                  std::string::npos)
            << refused.err;

        CliResult help = RunCli({name, "--help"});
        EXPECT_EQ(help.exitCode, 0);
        EXPECT_FALSE(help.out.empty());
    }
    CliResult version = RunCli({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    const size_t date = version.out.find(" Date: ");
    EXPECT_EQ(version.out.rfind("Version: ", 0), 0u);
    EXPECT_TRUE(date != std::string::npos && HasShape(version.out.substr(date), " Date: 9999-99-99\n")) << version.out;
}

}  // namespace
