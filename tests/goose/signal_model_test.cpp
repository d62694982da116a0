#include "goose/goose_model_build.h"
#include "goose/input_type_check.h"
#include "goose/signal_references.h"
#include "goose_fixture.h"
#include "tree/scl_lookups.h"

namespace {

class SignalModel : public GooseTest {
protected:
    void SetUp() override { Load("goose_model.scd"); }

    TreeItem* ConnectedAP(const std::string& ied, const std::string& network = "N1")
    {
        return At("Communication > SubNetwork: " + network + " > ConnectedAP: IED: " + ied + " AP: AP1");
    }
};

TEST_F(SignalModel, PublisherKeepsOnlyDatasetsWithAnAddressedControlAndItsMembers)
{
    CGooseIed ied;
    ASSERT_TRUE(BuildGooseIed(view, ConnectedAP("P1"), ied));
    ASSERT_EQ(ied.logicalDevices.size(), 2u);  // LD2 publishes nothing
    const CGooseLDevice& ld0 = *ied.logicalDevices[0];

    // DSNoControl has only a report, DSNoAddress a control without a GSE.
    ASSERT_EQ(ld0.datasets.size(), 2u);
    const CGooseDataSet& dsa = *ld0.datasets[0];
    ASSERT_EQ(dsa.controls.size(), 2u);
    const CGooseControl& gcbA = *dsa.controls[0];
    EXPECT_EQ(gcbA.owner->owner->owner, &ied);

    std::vector<std::string> bTypes;
    for (const auto& member : dsa.members) bTypes.push_back(member->bType);
    // Ind2 names a DO: no bType, as for a member whose data does not exist.
    EXPECT_EQ(bTypes, (std::vector<std::string>{"BOOLEAN", "Dbpos", "INT32", "FLOAT32", "Quality", "", "Enum", "Enum"}));

    CGooseInput input;
    input.intAddr = "NI1:old";
    MakeConnectedIntAddr(input, dsa.members[1].get());
    EXPECT_EQ(input.intAddr, "NI1:01-0C-CD-01-00-01:0001:3:1:P1gcbA");
}

TEST_F(SignalModel, ReceiversAndPublishersWithoutAddressesBuildNothing)
{
    CGooseIed inputsOnly;
    EXPECT_FALSE(BuildGooseIed(view, ConnectedAP("IN"), inputsOnly));
    EXPECT_TRUE(inputsOnly.logicalDevices.empty());
    CGooseIed noAddress;
    EXPECT_FALSE(BuildGooseIed(view, ConnectedAP("P4"), noAddress));

    CGooseLDevice ld2;
    EXPECT_FALSE(BuildGooseLDevice(view, ConnectedAP("P1"), At("IED: P1 > AccessPoint: AP1 > Server > LD: LD2"), ld2));
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
