#include "goose/access_point_inputs.h"
#include "goose/update_inputs.h"
#include "goose/verify_goose_inputs.h"
#include "goose_fixture.h"
#include "project_tree/scl_lookups.h"

namespace {

using Lines = std::vector<std::string>;

// In goose_verify.scd, V has NI1 on P4 (no APPID: no say), NI2 on B, NI3 on A or B,
// NI4 on A, NI5 on B, NI6 a FLOAT32 on A, NI7 unresolved: first the types, then each
// MAC against the first published input's. W's NI1 is published on A and B, and its
// first control block's MAC (A) is the one expected of NI2 on B.
TEST_F(GooseTest, VerifyTypePassThenMacPassAndAResolvedProjectIsClear)
{
    LoadFixture("goose_verify.scd");
    auto verify = [&](const char* name) {
        TreeItem* ied = FindIEDItem(view, name);
        Lines log;
        VerifyAccessPointInputs(view, ied, CollectAccessPointInputs(view, ied->FirstChild()), log);
        return log;
    };
    const std::string mac = " has other MAC address than previous ExtRefs";
    EXPECT_EQ(verify("V"), (Lines{"Type of ExtRef: V.LD0.LLN0 Input[5] Int Addr: NI6 is invalid",
                                  "GOOSE producer of ExtRef: V.LD0.LLN0 Input[3] Int Addr: NI4" + mac,
                                  "GOOSE producer of ExtRef: V.LD0.LLN0 Input[5] Int Addr: NI6" + mac}));
    EXPECT_EQ(verify("W"), (Lines{"GOOSE producer of ExtRef: W.LD0.InGGIO1 Input[1] Int Addr: NI2" + mac}));

    // The command shows the findings of every IED, S's single input among them, or
    // says all is clear; there Update Inputs, too, changes nothing and logs nothing.
    KeepWindowLines();
    OnVerifyGooseInputs(view, ui);
    ASSERT_EQ(windowLines.size(), 5u);
    EXPECT_EQ(windowLines[4], "Type of ExtRef: S.LD0.LLN0 Input[0] Int Addr: ANI1 is invalid");
    LoadFixture("goose_connected.scd");
    const std::string before = DocumentText();
    OnVerifyGooseInputs(view, ui);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "GOOSE Inputs are correctly configured");
    EXPECT_EQ(ui.dialogsShown.size(), 1u);
    for (const char* ied : {"R", "P1", "P2"}) {
        InputUpdateResult result = UpdateIedInputs(view, ied);
        EXPECT_EQ(result.log, Lines()) << ied;
        EXPECT_FALSE(result.changed);
    }
    EXPECT_EQ(DocumentText(), before);
    EXPECT_FALSE(doc.IsModified());
}

}  // namespace
