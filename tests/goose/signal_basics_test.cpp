#include "goose/number_text.h"
#include "goose/signal_references.h"
#include "goose/signal_types.h"

#include <gtest/gtest.h>

namespace {

TEST(SignalTypes, BitWidthsOfBasicTypes)
{
    EXPECT_EQ(SignalBitWidth("INT32U"), 32);
    EXPECT_EQ(SignalBitWidth("INT8"), 8);
    EXPECT_EQ(SignalBitWidth("INT"), 0);
    EXPECT_EQ(SignalBitWidth("BOOLEAN"), 1);
    EXPECT_EQ(SignalBitWidth("Enum"), 8);
    EXPECT_EQ(SignalBitWidth("Dbpos"), 2);
    EXPECT_EQ(SignalBitWidth("Quality"), 13);
    EXPECT_EQ(SignalBitWidth("FLOAT32"), 0);
    EXPECT_EQ(SignalBitWidth("boolean"), 0);
    EXPECT_EQ(SignalBitWidth(""), 0);
}

TEST(SignalTypes, InputClassDecidesWhichSourcesFit)
{
    EXPECT_TRUE(AcceptsSourceType("ANI3", "FLOAT32"));
    EXPECT_TRUE(AcceptsSourceType("ANI3", "INT32"));
    EXPECT_FALSE(AcceptsSourceType("ANI3", "BOOLEAN"));
    EXPECT_TRUE(AcceptsSourceType("NI7", "Dbpos"));
    EXPECT_TRUE(AcceptsSourceType("NI7:01-0C-CD-01-00-01:0001:1:0:id", "BOOLEAN"));
    EXPECT_FALSE(AcceptsSourceType("NI7", "FLOAT32"));
    EXPECT_FALSE(AcceptsSourceType("XY1", "BOOLEAN"));
    EXPECT_FALSE(AcceptsSourceType("N", "BOOLEAN"));
    EXPECT_TRUE(IsBinaryInputAddress("NI1"));
    EXPECT_FALSE(IsBinaryInputAddress("ANI1"));
    EXPECT_TRUE(IsAnalogOutputType("FLOAT32"));
    EXPECT_FALSE(IsAnalogOutputType(""));
}

TEST(NumberText, ReadsLikeTheCConversions)
{
    EXPECT_EQ(ParseDecimal("", -1), -1);
    EXPECT_EQ(ParseDecimal("abc", -1), -1);
    EXPECT_EQ(ParseDecimal("  -12x", 0), -12);
    EXPECT_EQ(ParseDecimal("99999999999999999999", 0), 2147483647);
    EXPECT_EQ(ParseHex("3001", 0), 0x3001);
    EXPECT_EQ(ParseHex("0x1F", 0), 0x1F);
    EXPECT_EQ(ParseHex("0x", 7), 0);
    EXPECT_EQ(ParseHex("zz", 7), 7);
    int value = 5;
    EXPECT_FALSE(ScanDecimal("", value));
    EXPECT_EQ(value, 5);
    EXPECT_TRUE(ScanDecimal("+3", value));
    EXPECT_EQ(value, 3);
}

TEST(NumberText, MacAddressesFoldGroupByGroup)
{
    EXPECT_EQ(ParseMacAddress("01-0C-CD-01-00-01"), 0x010CCD010001ull);
    EXPECT_EQ(ParseMacAddress("01-0c-cd-01-00-01"), ParseMacAddress("01-0C-CD-01-00-01"));
    EXPECT_EQ(ParseMacAddress("01-0G"), 0x0100ull);
    EXPECT_EQ(ParseMacAddress(""), 0ull);
}

TEST(SignalReferences, TextsAndTheConnectedInternalAddress)
{
    CGooseIed ied;
    ied.name = "P1";
    auto ldevice = std::make_unique<CGooseLDevice>();
    ldevice->owner = &ied;
    auto dataset = std::make_unique<CGooseDataSet>();
    dataset->owner = ldevice.get();
    for (const char* name : {"gcb1", "gcb2"}) {
        auto control = std::make_unique<CGooseControl>();
        control->name = name;
        control->macAddress = "01-0C-CD-01-00-01";
        control->appId = "3001";
        control->confRev = "2";
        control->gooseId = std::string("P1") + name;
        dataset->controls.push_back(std::move(control));
    }
    CGooseOutput output;
    output.owner = dataset.get();
    output.ldInst = "LD0";
    output.lnClass = "GGIO";
    output.lnInst = "1";
    output.doName = "Ind1";
    output.index = 4;
    EXPECT_EQ(OutputReference(output, false), "LD0/GGIO1.Ind1");
    output.daName = "stVal";
    output.prefix = "Q0";
    CGooseDataSet* owned = dataset.get();
    ldevice->datasets.push_back(std::move(dataset));
    ied.logicalDevices.push_back(std::move(ldevice));
    EXPECT_EQ(OutputReference(output, true), "P1LD0/Q0GGIO1.Ind1.stVal");
    EXPECT_EQ(owned->controls.size(), 2u);

    CGooseInput input;
    input.intAddr = "NI5:old:form";
    input.iedName = "P1";
    input.ldInst = "LD0";
    input.lnClass = "GGIO";
    input.lnInst = "1";
    input.doName = "Ind1";
    EXPECT_EQ(InputReference(input), "P1LD0/GGIO1.Ind1");
    MakeConnectedIntAddr(input, &output);
    EXPECT_EQ(input.intAddr, "NI5:01-0C-CD-01-00-01:3001:2:4:P1gcb1");
    MakeConnectedIntAddr(input, nullptr);
    EXPECT_EQ(input.intAddr, "NI5");
    EXPECT_EQ(InternalSignalName("NI5"), "NI5");
}

}  // namespace
