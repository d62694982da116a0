#include "widgets/value_text.h"

#include <gtest/gtest.h>

#include <climits>

TEST(ValueText, IntegerFormatsTakeOneIntegerConversion)
{
    EXPECT_EQ(FormatInteger("", -42), "-42");
    EXPECT_EQ(FormatInteger("%05d ms", 42), "00042 ms");
    EXPECT_EQ(FormatInteger("0x%04X", 255), "0x00FF");
    EXPECT_EQ(FormatInteger("%u", -1), "4294967295");
    EXPECT_EQ(FormatInteger("100%% %d", 7), "100% 7");
    EXPECT_EQ(FormatInteger("none", 7), "none");
    // Formats that printf could not be given one int safely fall back to "%d".
    for (const char* unsafe : {"%s", "%d %d", "%n", "%ld", "%*d", "%999d", "%.500d", "%", "%f"})
        EXPECT_EQ(FormatInteger(unsafe, 12), "12") << unsafe;
}

TEST(ValueText, LeadingIntegerIsReadInDecimal)
{
    EXPECT_EQ(ReadLeadingInteger("0100"), 100);
    EXPECT_EQ(ReadLeadingInteger("12abc"), 12);
    EXPECT_EQ(ReadLeadingInteger("abc12"), 0);
    EXPECT_EQ(ReadLeadingInteger("  -7 s"), -7);
    EXPECT_EQ(ReadLeadingInteger("+8"), 8);
    EXPECT_EQ(ReadLeadingInteger("0x1F"), 0);
    EXPECT_EQ(ReadLeadingInteger("-"), 0);
    EXPECT_EQ(ReadLeadingInteger("99999999999"), INT_MAX);
    EXPECT_EQ(ReadLeadingInteger("-2147483648"), INT_MIN);
    EXPECT_EQ(ReadLeadingInteger("-99999999999"), INT_MIN);
}

TEST(ValueText, LineBreaksShowAsPilcrowAndSurviveTheEditField)
{
    EXPECT_EQ(ShowLineBreaks("a\r\nb\nc\rd\r\n\r\n"), "a\xC2\xB6" "b\xC2\xB6" "c\xC2\xB6" "d\xC2\xB6\xC2\xB6");
    EXPECT_EQ(ToEditFieldText("a\r\nb\nc"), "a\nb\nc");
    EXPECT_EQ(FromEditFieldText("a\nb\r\nc", "x\r\ny"), "a\r\nb\r\nc");
    EXPECT_EQ(FromEditFieldText("\na\n", "x\r\ny"), "\r\na\r\n");
    EXPECT_EQ(FromEditFieldText("a\nb", "x\ny"), "a\nb");
}
