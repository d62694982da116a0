#include "goose/connected_address.h"
#include "goose/number_text.h"
#include "goose/signal_types.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

TEST(SignalTypes, InputClassDecidesWhichSourcesFit)
{
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"ANI3", "FLOAT32", true}, {"ANI3", "INT32", true},  {"ANI3", "BOOLEAN", false},
        {"NI7", "Dbpos", true},    {"NI7", "FLOAT32", false}, {"NI7:01-0C-CD-01-00-01:0001:1:0:id", "BOOLEAN", true},
        {"XY1", "BOOLEAN", false}, {"N", "BOOLEAN", false},
    };
    for (const auto& [intAddr, bType, fits] : cases) EXPECT_EQ(AcceptsSourceType(intAddr, bType), fits) << intAddr << bType;
    EXPECT_FALSE(IsBinaryInputAddress("ANI1"));
    EXPECT_FALSE(IsAnalogOutputType(""));
}

TEST(NumberText, ReadsLikeTheCConversions)
{
    const std::tuple<const char*, int, int> decimals[] = {
        {"", -1, -1}, {"abc", -1, -1}, {"  -12x", 0, -12}, {"99999999999999999999", 0, 2147483647}};
    for (const auto& [text, fallback, value] : decimals) EXPECT_EQ(ParseDecimal(text, fallback), value) << text;
    const std::tuple<const char*, int, int> hexes[] = {{"3001", 0, 0x3001}, {"0x1F", 0, 0x1F}, {"0x", 7, 0}, {"zz", 7, 7}};
    for (const auto& [text, fallback, value] : hexes) EXPECT_EQ(ParseHex(text, fallback), value) << text;
    int value = 5;
    EXPECT_FALSE(ScanDecimal("", value));
    EXPECT_EQ(value, 5);
    EXPECT_TRUE(ScanDecimal("+3", value) && value == 3);

    // MAC addresses fold group by group; a non-digit counts as 0.
    EXPECT_EQ(ParseMacAddress("01-0c-CD-01-00-01"), 0x010CCD010001ull);
    EXPECT_EQ(ParseMacAddress("01-0G"), 0x0100ull);
}

// What the fields hold is pinned by the matching in update_inputs_test.
TEST(ConnectedAddress, FieldsUpToTheFirstEmptyOne)
{
    EXPECT_TRUE(ParseConnectedAddress("NI1:m:1:2:3::more"));  // stops at the empty field
    for (const char* unusable : {"NI1", "NI1:m:1:2", "NI1::1:2:3:id", "NI1:m:zz:2:3:id", "NI1:m:-1:2:3:id",
                                 "NI1:m:1:x:3:id", "NI1:m:1:2:-1:id", "NI1:m:1:2:x:id", "NI1:m:1:2:3:id:7",
                                 "AI1:m:1:2:3:id", "ni1:m:1:2:3:id"})
        EXPECT_FALSE(ParseConnectedAddress(unusable)) << unusable;
}

}  // namespace
