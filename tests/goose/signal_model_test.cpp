#include "goose/goose_model_build.h"
#include "goose/input_type_check.h"
#include "goose_fixture.h"

namespace {

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
// a GSE, LD2 publishes nothing. A member whose data is not there (or is a DO, as Ind2)
// has no type. Which IEDs publish, and the internal addresses a connection writes, the
// inputs dialog and the mapping tests show. A whole data object fits no input; the
// verification of GOOSE inputs shows the other classes of source.
TEST_F(GooseTest, PublisherKeepsOnlyDatasetsWithAnAddressedControlAndItsMembers)
{
    LoadFixture("goose_model.scd");
    CGooseIed p1;
    ASSERT_TRUE(BuildGooseIed(view, Find("Communication > SubNetwork: N1 > ConnectedAP: IED: P1 AP: AP1"), p1));
    EXPECT_EQ(Describe(p1), "LD0: DSA (gcbA gcbB ) BOOLEAN Dbpos INT32 FLOAT32 Quality  Enum Enum; DSB (gcbD ) BOOLEAN "
                            "BOOLEAN;LD1: DSC (gcbC ) BOOLEAN;");
    EXPECT_EQ(p1.logicalDevices[1]->datasets[0]->members[0]->owner->owner->owner, &p1);

    TreeItem* input = ExtRefAt("R", 0);
    EXPECT_TRUE(IsInputTypeCompatible(view, input));  // NI1 on a Dbpos
    xmlUnsetProp(Element(input), Xml("daName"));
    EXPECT_FALSE(IsInputTypeCompatible(view, input));
}

}  // namespace
