#include "cli/cli_runner.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

// A script rewires one input and disconnects another; Update Inputs then finds every
// connected address in place. A refused line writes nothing, even after good lines.
TEST(CliMapping, OutlineScriptAndRefusals)
{
    TempDir dir;
    const std::string project = TestDataPath("goose_connected.scd");
    CliResult outline = RunCli({"mapping", project});
    EXPECT_EQ(outline.exitCode, 0) << outline.err;
    EXPECT_EQ(outline.out.rfind("Outputs:\n", 0), 0u) << outline.out;

    std::ofstream(dir.File("ok.txt")) << "# rewire\n\nconnect R/LD0/NI4 P2LD0/GGIO1.Cnt.stVal 3\ndisconnect P1/LD0/NI2\n";
    // The disconnected input keeps only its internal address, which the schema refuses.
    CliResult mapped = RunCli(
        {"map", project, "--script", dir.File("ok.txt"), "-o", dir.File("mapped.scd"), "--keep-invalid"});
    ASSERT_EQ(mapped.exitCode, 0) << mapped.err;
    EXPECT_NE(mapped.out.find("R/LD0/NI4: "), std::string::npos) << mapped.out;
    EXPECT_NE(mapped.out.find("P1/LD0/NI2: disconnected"), std::string::npos) << mapped.out;
    const std::string saved = ReadFileText(dir.File("mapped.scd"));
    EXPECT_NE(saved.find("intAddr=\"NI4:01-0C-CD-01-00-02:0002:1:1:P2gcb1\""), std::string::npos);
    EXPECT_NE(saved.find("desc=\"Bit3\""), std::string::npos);
    for (const char* ied : {"R", "P1"}) {
        CliResult updated =
            RunCli({"update-inputs", dir.File("mapped.scd"), "--ied", ied, "-o", dir.File("u.scd"), "--keep-invalid"});
        EXPECT_EQ(updated.out.find("no match found"), std::string::npos) << ied << "\n" << updated.out;
    }

    const struct {
        std::string script;
        std::string message;
    } refusals[] = {
        {"connect R/LD0/NI4 P2LD0/GGIO1.Cnt.stVal\nconnect P1/LD0/NI1 P1LD0/GGIO1.Ind1.stVal\n",
         "line 2: Cannot connect an input with the output of the same IED."},
        {"connect R/LD0/NI9 P2LD0/GGIO1.Cnt.stVal\n", "line 1: no input R/LD0/NI9"},
        {"connect R/LD0/NI4 P2LD0/GGIO1.Cnt.stVal 32\n", "line 1: bit index 32"},
        {"disconnect R/LD0/NI4\ndisconnect R/LD0/NI4\n", "line 2: the input R/LD0/NI4 is not connected"},
        {"link R/LD0/NI4\n", "line 1: unknown action"},
    };
    for (const auto& refusal : refusals) {
        std::ofstream(dir.File("bad.txt")) << refusal.script;
        CliResult result = RunCli({"map", project, "--script", dir.File("bad.txt"), "-o", dir.File("refused.scd")});
        EXPECT_EQ(result.exitCode, 2) << refusal.script;
        EXPECT_NE(result.err.find(refusal.message), std::string::npos) << result.err;
        EXPECT_FALSE(FileExists(dir.File("refused.scd")));
    }
}

}  // namespace
