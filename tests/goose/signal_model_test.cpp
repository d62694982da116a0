#include "goose/goose_model_build.h"
#include "goose/input_type_check.h"
#include "goose/signal_references.h"
#include "goose_fixture.h"

namespace {

class SignalModel : public GooseTest {
protected:
    void SetUp() override { LoadFixture("goose_model.scd"); }
    TreeItem* ConnectedAP(const std::string& ied) { return Find("Communication > SubNetwork: N1 > ConnectedAP: IED: " + ied + " AP: AP1"); }
};

// "LD: DATASET (CONTROL BLOCKS) MEMBER TYPES; ..." for each logical device.
std::string Describe(const CGooseIed& ied)
{
    std::string text;
    for (const auto& ldevice : ied.logicalDevices) {
        text += ldevice->inst + ":";
        for (const auto& dataset : ldevice->datasets) {
            text += " " + dataset->name + " (";
            for (const auto& control : dataset->controls) text += control->name + (control->owner == dataset.get() ? " " : "? ");
            text += ")";
            for (const auto& member : dataset->members) text += " " + member->bType;
            text += ";";
        }
    }
    return text;
}

// Only datasets with a control block that has a GOOSE address, and the logical devices
// that hold them, are kept: DSNoControl has only a report, DSNoAddress a control without
// a GSE, LD2 publishes nothing; IN only receives. A member whose data is not there (or
// is a DO, as Ind2) has no type.
TEST_F(SignalModel, PublisherKeepsOnlyDatasetsWithAnAddressedControlAndItsMembers)
{
    CGooseIed p1, in, p4;
    ASSERT_TRUE(BuildGooseIed(view, ConnectedAP("P1"), p1));
    EXPECT_EQ(Describe(p1), "LD0: DSA (gcbA gcbB ) BOOLEAN Dbpos INT32 FLOAT32 Quality  Enum Enum; DSB (gcbD ) BOOLEAN "
                            "BOOLEAN;LD1: DSC (gcbC ) BOOLEAN;");
    EXPECT_EQ(p1.logicalDevices[1]->datasets[0]->members[0]->owner->owner->owner, &p1);
    EXPECT_FALSE(BuildGooseIed(view, ConnectedAP("IN"), in) || BuildGooseIed(view, ConnectedAP("P4"), p4));
    EXPECT_TRUE(in.logicalDevices.empty());
    CGooseInput input;
    input.intAddr = "NI1:old";
    MakeConnectedIntAddr(input, p1.logicalDevices[0]->datasets[0]->members[1].get());
    EXPECT_EQ(input.intAddr, "NI1:01-0C-CD-01-00-01:0001:3:1:P1gcbA");
    CGooseLDevice ld2;
    EXPECT_FALSE(BuildGooseLDevice(view, ConnectedAP("P1"), Find("IED: P1 > AccessPoint: AP1 > Server > LD: LD2"), ld2));
}

TEST_F(SignalModel, InputTypeFitsTheClassOfItsInternalAddress)
{
    TreeItem* input = ExtRefAt("R", 0);
    EXPECT_TRUE(IsInputTypeCompatible(view, input));  // NI1 on a Dbpos
    EXPECT_TRUE(IsInputTypeCompatible(view, ExtRefAt("R", 6)));  // no source: left to the update of inputs
    for (auto [name, value] : {std::pair{"prefix", ""}, {"lnClass", "MMXU"}, {"doName", "TotW"}, {"daName", "mag"}})
        xmlSetProp(Element(input), Xml(name), Xml(value));
    EXPECT_FALSE(IsInputTypeCompatible(view, input));  // FLOAT32 into a binary input
    xmlSetProp(Element(input), Xml("intAddr"), Xml("ANI1"));
    EXPECT_TRUE(IsInputTypeCompatible(view, input));
    xmlUnsetProp(Element(input), Xml("daName"));
    EXPECT_FALSE(IsInputTypeCompatible(view, input));  // the source is a DO
}

}  // namespace
