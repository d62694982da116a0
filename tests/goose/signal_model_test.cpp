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
    EXPECT_EQ(ied.name, "P1");
    EXPECT_EQ(ied.accessPointItem, At("IED: P1 > AccessPoint: AP1"));
    ASSERT_EQ(ied.logicalDevices.size(), 2u);  // LD2 publishes nothing
    const CGooseLDevice& ld0 = *ied.logicalDevices[0];
    EXPECT_EQ(ld0.inst, "LD0");
    EXPECT_EQ(ld0.owner, &ied);
    EXPECT_EQ(ied.logicalDevices[1]->inst, "LD1");
    EXPECT_TRUE(ld0.inputs.empty());

    // DSNoControl has only a report, DSNoAddress a control without a GSE.
    ASSERT_EQ(ld0.datasets.size(), 2u);
    const CGooseDataSet& dsa = *ld0.datasets[0];
    EXPECT_EQ(dsa.name, "DSA");
    EXPECT_EQ(dsa.owner, &ld0);
    EXPECT_EQ(ld0.datasets[1]->name, "DSB");
    ASSERT_EQ(dsa.controls.size(), 2u);
    const CGooseControl& gcbA = *dsa.controls[0];
    EXPECT_EQ(gcbA.name, "gcbA");
    EXPECT_EQ(dsa.controls[1]->name, "gcbB");
    EXPECT_EQ(gcbA.owner, &dsa);
    EXPECT_EQ(gcbA.item, At("IED: P1 > AccessPoint: AP1 > Server > LD: LD0 > LN: LLN0 > GSEControl: gcbA"));
    EXPECT_EQ(gcbA.gooseId, "P1gcbA");
    EXPECT_EQ(gcbA.confRev, "3");
    EXPECT_EQ(gcbA.macAddress, "01-0C-CD-01-00-01");
    EXPECT_EQ(gcbA.appId, "0001");
    EXPECT_EQ(gcbA.vlanId, "005");  // the later P of a type wins
    EXPECT_EQ(gcbA.vlanPriority, "4");

    std::vector<std::string> bTypes;
    for (const auto& member : dsa.members) {
        EXPECT_EQ(member->index, static_cast<int>(bTypes.size()));
        EXPECT_EQ(member->owner, &dsa);
        bTypes.push_back(member->bType);
    }
    // Ind2 names a DO: no bType, as for a member whose data does not exist.
    EXPECT_EQ(bTypes, (std::vector<std::string>{"BOOLEAN", "Dbpos", "INT32", "FLOAT32", "Quality", "", "Enum", "Enum"}));
    EXPECT_EQ(OutputReference(*dsa.members[1], true), "P1LD0/Q0XCBR1.Pos.stVal");

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

    // A publisher that also receives carries its inputs, read from the same LLN0.
    CGooseIed receiver;
    ASSERT_TRUE(BuildGooseIed(view, ConnectedAP("R"), receiver));
    ASSERT_EQ(receiver.logicalDevices.size(), 1u);
    const auto& inputs = receiver.logicalDevices[0]->inputs;
    ASSERT_EQ(inputs.size(), 7u);
    const CGooseInput& first = *inputs[0];
    EXPECT_EQ(first.owner, receiver.logicalDevices[0].get());
    EXPECT_EQ(first.item, ExtRefAt(Inputs("R"), 0));
    EXPECT_EQ(InputReference(first), "P1LD0/Q0XCBR1.Pos.stVal");
    EXPECT_EQ(first.intAddr, "NI1");
    EXPECT_EQ(first.desc, "Bit1");
}

TEST_F(SignalModel, InputTypeFitsTheClassOfItsInternalAddress)
{
    TreeItem* toDbpos = ExtRefAt(Inputs("R"), 0);
    TreeItem* toBoolean = ExtRefAt(Inputs("R"), 5);
    TreeItem* toMissing = ExtRefAt(Inputs("R"), 6);
    EXPECT_TRUE(IsInputTypeCompatible(view, toDbpos));
    EXPECT_TRUE(IsInputTypeCompatible(view, toBoolean));
    EXPECT_TRUE(IsInputTypeCompatible(view, toMissing));  // left to the update of inputs

    xmlSetProp(Element(toBoolean), Xml("intAddr"), Xml("ANI5"));
    EXPECT_FALSE(IsInputTypeCompatible(view, toBoolean));
    xmlSetProp(Element(toBoolean), Xml("intAddr"), Xml("XY5"));
    EXPECT_FALSE(IsInputTypeCompatible(view, toBoolean));

    xmlSetProp(Element(toDbpos), Xml("intAddr"), Xml("NI1"));
    xmlSetProp(Element(toDbpos), Xml("prefix"), Xml(""));
    xmlSetProp(Element(toDbpos), Xml("lnClass"), Xml("MMXU"));
    xmlSetProp(Element(toDbpos), Xml("doName"), Xml("TotW"));
    xmlSetProp(Element(toDbpos), Xml("daName"), Xml("mag"));
    EXPECT_FALSE(IsInputTypeCompatible(view, toDbpos));  // FLOAT32 into a binary input
    xmlSetProp(Element(toDbpos), Xml("intAddr"), Xml("ANI1"));
    EXPECT_TRUE(IsInputTypeCompatible(view, toDbpos));
    xmlUnsetProp(Element(toDbpos), Xml("daName"));
    EXPECT_FALSE(IsInputTypeCompatible(view, toDbpos));  // the source is a DO

    // The publisher on the other subnetwork is never the source.
    xmlSetProp(Element(toBoolean), Xml("iedName"), Xml("P3"));
    xmlSetProp(Element(toBoolean), Xml("intAddr"), Xml("ANI5"));
    EXPECT_EQ(FindExtRefSourceItem(view, toBoolean), nullptr);
    EXPECT_TRUE(IsInputTypeCompatible(view, toBoolean));
}

}  // namespace
