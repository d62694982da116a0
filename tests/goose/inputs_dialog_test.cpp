#include "goose/connect_inputs.h"
#include "goose/inputs_dialog.h"
#include "goose_fixture.h"

#include <functional>

namespace {

using Texts = std::vector<std::string>;

// Connect Inputs on R's LLN0 in goose_model.scd. Its rows: 0 NI1 on P1 Q0XCBR1.Pos.stVal
// with Bit1, 1 NI2 and 2 ANI3 (desc Bit2) unconnected, 3 and 4 both NI9, 5 NI5 on P2,
// 6 NI6 on a member that P1 does not publish.
class InputsDialog : public GooseTest {
protected:
    void SetUp() override { Load("goose_model.scd"); }

    // Runs the command with `person` acting on the dialog; true when the dialog showed.
    bool Connect(const std::string& selected, std::function<bool(CInputsDialog&)> person)
    {
        view.Select(At(selected));
        bool shown = false;
        ui.onDialog = [&](DialogModel& model) {
            auto* dialog = dynamic_cast<CInputsDialog*>(&model);
            if (!dialog) return false;
            shown = true;
            return person(*dialog);
        };
        OnConnectInputs(view, ui);
        return shown;
    }
    static int IndexOf(const Texts& choices, const std::string& text)
    {
        for (size_t i = 0; i < choices.size(); ++i)
            if (choices[i] == text) return static_cast<int>(i);
        ADD_FAILURE() << "no choice " << text;
        return -1;
    }
    static void ChooseReference(CInputsDialog& dialog, const std::string& text)
    {
        dialog.SelectDataReference(IndexOf(dialog.DataReferenceChoices(), text));
    }
    const std::string kLLN0 = "IED: R > AccessPoint: AP1 > Server > LD: LD0 > LN: LLN0";
};

TEST_F(InputsDialog, OffersOnlyOtherPublishersOfTheSubnetworkAndEachReferenceOnce)
{
    std::string before = DocumentText();
    EXPECT_TRUE(Connect(kLLN0, [](CInputsDialog& dialog) {
        EXPECT_EQ(dialog.Title(), "Edit inputs for R/LD0/LLN0");
        // R publishes on both its access points, P3 only on N2; IN only receives and
        // the only control block of P4 has no GOOSE address.
        EXPECT_EQ(dialog.RemoteIedChoices(), (Texts{"<none>", "P1", "P2"}));
        EXPECT_EQ(dialog.InternalAddressText(0), "NI1");

        EXPECT_EQ(dialog.RemoteIedIndex(), 1);
        EXPECT_EQ(dialog.DataReferenceChoices(),
                  (Texts{"<none>", "LD0/GGIO1.Ind1.stVal", "LD0/Q0XCBR1.Pos.stVal", "LD0/GGIO1.Cnt.stVal",
                         "LD0/MMXU1.TotW.mag", "LD0/GGIO1.Ind1.q", "LD0/GGIO1.Ind2", "LD0/GGIO1.Beh.stVal",
                         "LD0/GGIO1.Health.stVal", "LD0/GGIO2.Ind1.stVal", "LD1/GGIO1.Ind1.stVal"}));
        EXPECT_EQ(dialog.DataReferenceIndex(), 2);
        EXPECT_EQ(dialog.BitIndexChoices(), (Texts{"0", "1"}));
        EXPECT_EQ(dialog.BitIndex(), 1);  // the stored bit
        EXPECT_EQ(dialog.ControlBlockChoices(), (Texts{"gcbA", "gcbB"}));
        EXPECT_EQ(dialog.AddressFields(), (Texts{"01-0C-CD-01-00-01", "005", "4", "0001", "P1gcbA", "3"}));
        dialog.SelectControlBlock(1);
        EXPECT_EQ(dialog.AddressFields()[4], "P1gcbB");

        // Published in DSA and DSB: listed once, with the control blocks of both.
        ChooseReference(dialog, "LD0/GGIO1.Ind1.stVal");
        EXPECT_EQ(dialog.ControlBlockChoices(), (Texts{"gcbA", "gcbB", "gcbD"}));
        EXPECT_EQ(dialog.ControlBlockIndex(), 0);

        // Row 6 names data that P1 does not publish: no trace of row 0's choice.
        dialog.SelectRow(6);
        EXPECT_EQ(dialog.RemoteIedIndex(), 1);
        EXPECT_EQ(dialog.DataReferenceIndex(), 0);
        EXPECT_TRUE(dialog.ControlBlockChoices().empty());

        dialog.SelectRow(5);
        EXPECT_EQ(dialog.RemoteIedIndex(), 2);
        EXPECT_EQ(dialog.DataReferenceIndex(), 1);
        EXPECT_EQ(dialog.AddressFields()[0], "01-0C-CD-01-00-06");
        return false;  // Cancel, after row 0 was rewired
    }));
    EXPECT_EQ(DocumentText(), before);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(InputsDialog, BitIndexFollowsTheMemberAndTheStoredBit)
{
    Connect(kLLN0, [](CInputsDialog& dialog) {
        dialog.SelectRow(1);  // NI2, no desc
        dialog.SelectRemoteIed(1);
        EXPECT_EQ(dialog.DataReferenceIndex(), 0);
        EXPECT_TRUE(dialog.BitIndexChoices().empty());
        EXPECT_EQ(dialog.BitIndex(), -1);
        EXPECT_FALSE(dialog.IsControlBlockEnabled());
        EXPECT_EQ(dialog.AddressFields(), Texts(6));

        ChooseReference(dialog, "LD0/GGIO1.Ind1.stVal");  // BOOLEAN: one bit, nothing to choose
        EXPECT_EQ(dialog.BitIndexChoices(), (Texts{"0"}));
        EXPECT_FALSE(dialog.IsBitIndexEnabled());
        EXPECT_EQ(dialog.Inputs()[1]->desc, "Bit0");
        EXPECT_EQ(dialog.ExternalReferenceText(1), "GGIO1.Ind1.stVal");

        ChooseReference(dialog, "LD0/GGIO1.Cnt.stVal");  // INT32
        dialog.SelectBitIndex(17);
        EXPECT_EQ(dialog.Inputs()[1]->desc, "Bit17");
        ChooseReference(dialog, "LD0/Q0XCBR1.Pos.stVal");  // Dbpos: bit 17 is gone
        EXPECT_EQ(dialog.BitIndex(), 0);
        dialog.SelectBitIndex(1);
        ChooseReference(dialog, "LD0/GGIO1.Health.stVal");  // Enum: 8 bits, bit 1 stays
        EXPECT_EQ(dialog.BitIndexChoices().size(), 8u);
        EXPECT_EQ(dialog.BitIndex(), 1);
        ChooseReference(dialog, "LD0/GGIO1.Ind2");  // a DO: no type, no bit
        EXPECT_TRUE(dialog.BitIndexChoices().empty());
        EXPECT_EQ(dialog.Inputs()[1]->desc, "");

        dialog.SelectRow(2);  // ANI3 with desc Bit2: an analog input never keeps a bit
        dialog.SelectRemoteIed(1);
        ChooseReference(dialog, "LD0/GGIO1.Cnt.stVal");
        EXPECT_TRUE(dialog.BitIndexChoices().empty());
        EXPECT_EQ(dialog.Inputs()[2]->desc, "");
        return false;
    });
}

TEST_F(InputsDialog, OkWritesEachRowToItsOwnExtRefAndNoneClearsTheNamedAttributes)
{
    EXPECT_TRUE(Connect(kLLN0 + " > Inputs > ExtRef: P1LD0/Q0XCBR1.Pos.stVal", [](CInputsDialog& dialog) {
        dialog.SelectDataReference(0);  // row 0: "<none>"
        dialog.SelectRow(3);
        dialog.SelectRemoteIed(1);
        ChooseReference(dialog, "LD0/GGIO2.Ind1.stVal");
        dialog.SelectRow(4);  // the same intAddr NI9
        dialog.SelectRemoteIed(2);
        ChooseReference(dialog, "LD0/GGIO1.Ind1.stVal");
        dialog.SelectRow(5);
        dialog.SelectRemoteIed(0);
        return dialog.Accept().empty();
    }));
    TreeItem* row0 = ExtRefAt("R", 0);
    EXPECT_EQ(Reference(row0), "P1|||-||-|-");
    EXPECT_EQ(xmlHasNsProp(Element(row0), Xml("desc"), nullptr), nullptr);
    EXPECT_EQ(Attr(row0, "intAddr"), "NI1");
    EXPECT_EQ(row0->Label(), "ExtRef: P1/.");

    EXPECT_EQ(Reference(ExtRefAt("R", 3)), "P1|LD0|-|GGIO|2|Ind1|stVal");
    EXPECT_EQ(Attr(ExtRefAt("R", 3), "desc"), "Bit0");
    EXPECT_EQ(Reference(ExtRefAt("R", 4)), "P2|LD0|-|GGIO|1|Ind1|stVal");
    EXPECT_EQ(ExtRefAt("R", 4)->Label(), "ExtRef: P2LD0/GGIO1.Ind1.stVal");
    EXPECT_EQ(Reference(ExtRefAt("R", 5)), "-||-|-||-|-");  // prefix was absent and stays so
    EXPECT_EQ(Reference(ExtRefAt("R", 6)), "P1|LD0|-|GGIO|9|Ind1|stVal");  // untouched row
    EXPECT_TRUE(doc.IsModified());

    // What OK wrote is what the dialog reads the next time.
    Connect(kLLN0, [](CInputsDialog& dialog) {
        dialog.SelectRow(3);
        EXPECT_EQ(dialog.RemoteIedChoices()[static_cast<size_t>(dialog.RemoteIedIndex())], "P1");
        EXPECT_EQ(dialog.DataReferenceChoices()[static_cast<size_t>(dialog.DataReferenceIndex())],
                  "LD0/GGIO2.Ind1.stVal");
        return false;
    });
}

// P3, alone on N2, made a receiver.
TEST_F(InputsDialog, NotShownWithoutProducers)
{
    xmlNode* ln0 = Element(At("IED: P3 > AccessPoint: AP1 > Server > LD: LD0 > LN: LLN0"));
    xmlNode* inputs = xmlNewChild(ln0, nullptr, Xml("Inputs"), nullptr);
    xmlNewProp(xmlNewChild(inputs, nullptr, Xml("ExtRef"), nullptr), Xml("intAddr"), Xml("NI1"));
    view.BuildTree();
    EXPECT_FALSE(Connect("IED: P3 > AccessPoint: AP1 > Server > LD: LD0 > LN: LLN0", [](CInputsDialog&) {
        return true;
    }));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "There are no GOOSE producers in the configuration");
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Warning);
}

}  // namespace
