#include "core/log_dialogs.h"
#include "goose/access_point_inputs.h"
#include "goose/verify_goose_inputs.h"
#include "goose_fixture.h"
#include "tree/scl_lookups.h"

namespace {

using Lines = std::vector<std::string>;

class VerifyGoose : public GooseTest {
protected:
    void SetUp() override { Load("goose_verify.scd"); }

    Lines VerifyIED(const std::string& name)
    {
        TreeItem* ied = FindIEDItem(view, name);
        Lines log;
        VerifyAccessPointInputs(view, ied, CollectAccessPointInputs(view, ied->FirstChild()), log);
        return log;
    }
};

// V: NI1 on P4 (no APPID: no say), NI2 on B, NI3 on A or B, NI4 on A, NI5 on B, NI6 a
// FLOAT32 on A, NI7 unresolved.
TEST_F(VerifyGoose, TypePassThenMacPassAgainstTheFirstPublishedInput)
{
    const std::string prefix = "V.LD0.LLN0 Input[";
    EXPECT_EQ(VerifyIED("V"), (Lines{
                                  "Type of ExtRef: " + prefix + "5] Int Addr: NI6 is invalid",
                                  "GOOSE producer of ExtRef: " + prefix + "3] Int Addr: NI4 has other MAC address than previous ExtRefs",
                                  "GOOSE producer of ExtRef: " + prefix + "5] Int Addr: NI6 has other MAC address than previous ExtRefs",
                              }));
    // W: NI1 is published on A and B, and its first control block's MAC (A) is the
    // one expected of NI2 on B.
    EXPECT_EQ(VerifyIED("W"), (Lines{"GOOSE producer of ExtRef: W.LD0.InGGIO1 Input[1] Int Addr: NI2 has other MAC "
                                     "address than previous ExtRefs"}));
}

// An access point with a single input is verified like any other.
TEST_F(VerifyGoose, CommandShowsTheFindingsOfTheWholeProjectOrSaysAllIsClear)
{
    Lines log = VerifyGooseInputs(view);
    ASSERT_EQ(log.size(), 5u);
    EXPECT_EQ(log[3].rfind("GOOSE producer of ExtRef: W.", 0), 0u);
    EXPECT_EQ(log[4], "Type of ExtRef: S.LD0.LLN0 Input[0] Int Addr: ANI1 is invalid");
    Lines shown;
    ui.onDialog = [&](DialogModel& dialog) {
        shown = dynamic_cast<CVerifyDialog&>(dialog).Lines();
        return true;
    };
    OnVerifyGooseInputs(view, ui);
    EXPECT_EQ(shown, log);

    Load("goose_connected.scd");
    OnVerifyGooseInputs(view, ui);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "GOOSE Inputs are correctly configured");
    EXPECT_EQ(ui.dialogsShown.size(), 1u);
}

}  // namespace
