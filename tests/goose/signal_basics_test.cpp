#include "goose/number_text.h"
#include "goose/signal_types.h"

#include <gtest/gtest.h>

namespace {

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

}  // namespace
