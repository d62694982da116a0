#include "goose/connect_inputs.h"
#include "goose/inputs_dialog.h"
#include "goose_fixture.h"

#include <algorithm>
#include <functional>

namespace {

using Texts = std::vector<std::string>;

// Connect Inputs on R's LLN0 in goose_model.scd. Its rows: 0 NI1 on P1 Q0XCBR1.Pos.stVal
// with Bit1, 1 NI2 and 2 ANI3 (desc Bit2) unconnected, 3 and 4 both NI9, 5 NI5 on P2,
// 6 NI6 on a member that P1 does not publish.
class InputsDialog : public GooseTest {
protected:
    const std::string kLLN0 = "IED: R > AccessPoint: AP1 > Server > LD: LD0 > LN: LLN0";
    void SetUp() override { LoadFixture("goose_model.scd"); }

    // Runs the command with `person` acting on the dialog; true when the dialog showed.
    bool Connect(const std::string& selected, std::function<bool(CInputsDialog&)> person)
    {
        view.Select(Find(selected));
        bool shown = false;
        ui.onDialog = [&](DialogModel& model) {
            shown = true;
            return person(dynamic_cast<CInputsDialog&>(model));
        };
        OnConnectInputs(view, ui);
        return shown;
    }
    // Does "row N", "ied N", "ref TEXT", "bit N" or "cb N" and returns what the current
    // row shows: "IED REFERENCE bit B of N [desc] CONTROL BLOCKS (* selected) | ADDRESS".
    static std::string Step(CInputsDialog& dialog, const std::string& step)
    {
        const std::string verb = step.substr(0, step.find(' ')), argument = step.substr(verb.size() + 1);
        const Texts& references = dialog.DataReferenceChoices();
        if (verb == "ref") {
            auto found = std::find(references.begin(), references.end(), argument);
            EXPECT_NE(found, references.end()) << argument;
            dialog.SelectDataReference(static_cast<int>(found - references.begin()));
        } else {
            const int n = std::stoi(argument);
            verb == "row" ? dialog.SelectRow(n) : verb == "ied" ? dialog.SelectRemoteIed(n)
            : verb == "bit" ? dialog.SelectBitIndex(n) : dialog.SelectControlBlock(n);
        }
        auto shown = [](const Texts& choices, int index) {
            return index >= 0 && static_cast<size_t>(index) < choices.size() ? choices[static_cast<size_t>(index)] : "-";
        };
        std::string text = shown(dialog.RemoteIedChoices(), dialog.RemoteIedIndex()) + " " +
                           shown(references, dialog.DataReferenceIndex()) + " bit " + std::to_string(dialog.BitIndex()) +
                           " of " + std::to_string(dialog.BitIndexChoices().size()) + " [" +
                           dialog.Inputs()[static_cast<size_t>(dialog.CurrentRow())]->desc + "]";
        for (size_t i = 0; i < dialog.ControlBlockChoices().size(); ++i)
            text += (static_cast<int>(i) == dialog.ControlBlockIndex() ? " *" : " ") + dialog.ControlBlockChoices()[i];
        text += " |";
        for (const std::string& field : dialog.AddressFields()) text += " " + field;
        return text;
    }
    // Runs the steps, each with the state it leads to, and cancels.
    void Walk(const std::vector<std::pair<std::string, std::string>>& steps)
    {
        std::string before = DocumentText();
        EXPECT_TRUE(Connect(kLLN0, [&](CInputsDialog& dialog) {
            for (const auto& [step, state] : steps) EXPECT_EQ(Step(dialog, step), state) << step;
            return false;
        }));
        EXPECT_EQ(DocumentText(), before);
        EXPECT_FALSE(doc.IsModified());
    }
};

// A member published in DSA and DSB is offered with the control blocks of both. A row
// on data that P1 does not publish keeps no trace of the row before. Without another
// publisher on its subnetworks, a receiver is told so instead.
TEST_F(InputsDialog, ShowsOtherPublishersOfTheSubnetworkAndTheBitsOfTheChosenMember)
{
    Walk({
        {"row 0", "P1 LD0/Q0XCBR1.Pos.stVal bit 1 of 2 [Bit1] *gcbA gcbB | 01-0C-CD-01-00-01 005 4 0001 P1gcbA 3"},
        {"cb 1", "P1 LD0/Q0XCBR1.Pos.stVal bit 1 of 2 [Bit1] gcbA *gcbB | 01-0C-CD-01-00-02   0002 P1gcbB 4"},
        {"ref LD0/GGIO1.Ind1.stVal", "P1 LD0/GGIO1.Ind1.stVal bit 0 of 1 [Bit0] *gcbA gcbB gcbD | 01-0C-CD-01-00-01 005 4 0001 P1gcbA 3"},
        {"row 6", "P1 <none> bit 0 of 0 [Bit0] |      "},
        {"row 5", "P2 LD0/GGIO1.Ind1.stVal bit 0 of 1 [] *gcb1 | 01-0C-CD-01-00-06   0006 P2gcb1 2"},
        // A bit is kept while the member's width allows it; a DO or an analog input takes none.
        {"row 1", "<none> <none> bit -1 of 0 [] |      "},
        {"ied 1", "P1 <none> bit -1 of 0 [] |      "},
        {"ref LD0/GGIO1.Cnt.stVal", "P1 LD0/GGIO1.Cnt.stVal bit 0 of 32 [Bit0] *gcbA gcbB | 01-0C-CD-01-00-01 005 4 0001 P1gcbA 3"},
        {"bit 17", "P1 LD0/GGIO1.Cnt.stVal bit 17 of 32 [Bit17] *gcbA gcbB | 01-0C-CD-01-00-01 005 4 0001 P1gcbA 3"},
        {"ref LD0/Q0XCBR1.Pos.stVal", "P1 LD0/Q0XCBR1.Pos.stVal bit 0 of 2 [Bit0] *gcbA gcbB | 01-0C-CD-01-00-01 005 4 0001 P1gcbA 3"},
        {"bit 1", "P1 LD0/Q0XCBR1.Pos.stVal bit 1 of 2 [Bit1] *gcbA gcbB | 01-0C-CD-01-00-01 005 4 0001 P1gcbA 3"},
        {"ref LD0/GGIO1.Health.stVal", "P1 LD0/GGIO1.Health.stVal bit 1 of 8 [Bit1] *gcbA gcbB | 01-0C-CD-01-00-01 005 4 0001 P1gcbA 3"},
        {"ref LD0/GGIO1.Ind2", "P1 LD0/GGIO1.Ind2 bit -1 of 0 [] *gcbA gcbB | 01-0C-CD-01-00-01 005 4 0001 P1gcbA 3"},
        {"row 2", "<none> <none> bit 2 of 0 [Bit2] |      "},
        {"ied 1", "P1 <none> bit -1 of 0 [] |      "},
        {"ref LD0/GGIO1.Cnt.stVal", "P1 LD0/GGIO1.Cnt.stVal bit -1 of 0 [] *gcbA gcbB | 01-0C-CD-01-00-01 005 4 0001 P1gcbA 3"},
    });

    const std::string ln0 = "IED: P3 > AccessPoint: AP1 > Server > LD: LD0 > LN: LLN0";  // alone on N2
    AppendXml(NodeOf(ln0), R"(<Inputs><ExtRef intAddr="NI1"/></Inputs>)");
    view.BuildTree();
    EXPECT_FALSE(Connect(ln0, [](CInputsDialog&) { return true; }));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "There are no GOOSE producers in the configuration");
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Warning);
}

// R publishes on both its access points, P3 only on N2; IN only receives and the only
// control block of P4 has no GOOSE address: only P1 and P2 are offered, and a member of
// two datasets once. "<none>" clears the named attributes and keeps the others; a prefix
// that was absent stays so. What OK wrote is what the dialog reads the next time.
TEST_F(InputsDialog, OkWritesEachRowToItsOwnExtRefAndNoneClearsTheNamedAttributes)
{
    EXPECT_TRUE(Connect(kLLN0 + " > Inputs > ExtRef: P1LD0/Q0XCBR1.Pos.stVal", [](CInputsDialog& dialog) {
        EXPECT_EQ(dialog.Title(), "Edit inputs for R/LD0/LLN0");
        EXPECT_EQ(dialog.RemoteIedChoices(), (Texts{"<none>", "P1", "P2"}));
        EXPECT_EQ(dialog.DataReferenceChoices(),
                  (Texts{"<none>", "LD0/GGIO1.Ind1.stVal", "LD0/Q0XCBR1.Pos.stVal", "LD0/GGIO1.Cnt.stVal",
                         "LD0/MMXU1.TotW.mag", "LD0/GGIO1.Ind1.q", "LD0/GGIO1.Ind2", "LD0/GGIO1.Beh.stVal",
                         "LD0/GGIO1.Health.stVal", "LD0/GGIO2.Ind1.stVal", "LD1/GGIO1.Ind1.stVal"}));
        for (const char* step : {"ref <none>", "row 3", "ied 1", "ref LD0/GGIO2.Ind1.stVal", "row 4", "ied 2",
                                 "ref LD0/GGIO1.Ind1.stVal", "row 5", "ied 0"})
            Step(dialog, step);
        return dialog.Accept().empty();
    }));
    Texts written;
    for (int row = 0; row < 7; ++row)
        written.push_back(Reference(ExtRefAt("R", row)) + " " + Attr(ExtRefAt("R", row), "desc"));
    EXPECT_EQ(written, (Texts{"P1|||-||-|- ", "-|-|-|-|-|-|- ", "-|-|-|-|-|-|- Bit2", "P1|LD0|-|GGIO|2|Ind1|stVal Bit0",
                              "P2|LD0|-|GGIO|1|Ind1|stVal Bit0", "-||-|-||-|- ", "P1|LD0|-|GGIO|9|Ind1|stVal Bit0"}));
    EXPECT_EQ(Attr(ExtRefAt("R", 0), "intAddr"), "NI1");
    EXPECT_EQ(ExtRefAt("R", 0)->Label(), "ExtRef: P1/.");
    EXPECT_EQ(ExtRefAt("R", 4)->Label(), "ExtRef: P2LD0/GGIO1.Ind1.stVal");
    EXPECT_TRUE(doc.IsModified());
    doc.SetModifiedFlag(false);
    Walk({{"row 3", "P1 LD0/GGIO2.Ind1.stVal bit 0 of 1 [Bit0] *gcbD | 01-0C-CD-01-00-03   0003 P1gcbD 1"}});
}

}  // namespace
