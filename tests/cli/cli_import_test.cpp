#include "cli/cli_runner.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace {

// tests/data/one_ied.scd serves as project and as the file of IED P1.
TEST(CliAddIED, AddsUnderANewNameAndRefusesWithoutWriting)
{
    TempDir dir;
    const std::string project = TestDataPath("one_ied.scd");
    std::string text = ReadFileText(project);
    text.replace(text.find("<Bay name=\"B1\"/>"), 16, "<Bay name=\"B1\"><Bogus/></Bay>");
    const std::string withFindings = dir.File("findings.icd");
    WriteFileText(withFindings, text);

    struct Case {
        std::vector<std::string> arguments;
        int exitCode;
        std::string errorPart;
    } refusals[] = {
        {{"add-ied", project, project}, 2, "Add IED: IED P1 is already configured!"},
        {{"add-ied", project, project, "--name", "P2", "--subnetwork", "N9"}, 2, "no subnetwork named N9"},
        {{"add-ied", project, project, "--from-ied", "Q"}, 2, "no IED named Q"},
        {{"add-ied", project, withFindings, "--name", "P2"}, 2, "XML Parser Log:"},
    };
    for (Case& refusal : refusals) {
        SCOPED_TRACE(refusal.errorPart);
        refusal.arguments.insert(refusal.arguments.end(), {"-o", dir.File("out.scd")});
        CliResult result = RunCli(refusal.arguments);
        EXPECT_EQ(result.exitCode, refusal.exitCode);
        EXPECT_NE(result.err.find(refusal.errorPart), std::string::npos) << result.err;
        EXPECT_FALSE(FileExists(dir.File("out.scd")));
    }

    CliResult added = RunCli({"add-ied", project, withFindings, "--name", "P2", "--accept-findings", "-o",
                              dir.File("out.scd")});
    EXPECT_EQ(added.exitCode, 0) << added.err;
    EXPECT_EQ(added.out, "shared LNodeType LLN0_T\nshared LNodeType GGIO_T\nshared DOType INC_T\nshared DOType SPS_T\n");
    CliResult tree = RunCli({"tree", dir.File("out.scd")});
    EXPECT_NE(tree.out.find("\n    ConnectedAP: IED: P2 AP: AP1 [G]\n"), std::string::npos) << tree.out;

    CliResult updated = RunCli({"update-ied", dir.File("out.scd"), project, "--ied", "P1", "-o", dir.File("up.scd")});
    EXPECT_EQ(updated.exitCode, 0) << updated.err;
    CliResult wrong = RunCli({"update-ied", dir.File("out.scd"), project, "--ied", "P2", "-o", dir.File("no.scd")});
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_NE(wrong.err.find("Update IED: Incorrect IED name!"), std::string::npos) << wrong.err;
    EXPECT_FALSE(FileExists(dir.File("no.scd")));
}

}  // namespace
