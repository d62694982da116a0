#include "widgets/value_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <utility>

TEST(ValueText, IntegerFormatsTakeOneIntegerConversion)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", "-42"}, {"%05d ms", "-0042 ms"}, {"0x%04X", "0xFFFFFFD6"}, {"%u", "4294967254"}, {"100%% %d", "100% -42"},
        {"none", "none"},
        // Formats that printf could not be given one int safely fall back to "%d".
        {"%s", "-42"}, {"%d %d", "-42"}, {"%n", "-42"}, {"%ld", "-42"}, {"%*d", "-42"}, {"%999d", "-42"},
        {"%.500d", "-42"}, {"%", "-42"}, {"%f", "-42"},
    };
    for (const auto& [format, shown] : cases) EXPECT_EQ(FormatInteger(format, -42), shown) << format;
}

TEST(ValueText, LeadingIntegerIsReadInDecimal)
{
    const std::pair<const char*, int> cases[] = {
        {"0100", 100}, {"12abc", 12},       {"abc12", 0},         {"  -7 s", -7},          {"+8", 8},
        {"0x1F", 0},   {"-", 0}, {"99999999999", INT_MAX}, {"-2147483648", INT_MIN}, {"-99999999999", INT_MIN},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(ReadLeadingInteger(text), value) << text;
}

TEST(ValueText, LineBreaksShowAsPilcrowAndSurviveTheEditField)
{
    EXPECT_EQ(ShowLineBreaks("a\r\nb\nc\rd\r\n\r\n"), "a\xC2\xB6" "b\xC2\xB6" "c\xC2\xB6" "d\xC2\xB6\xC2\xB6");
    EXPECT_EQ(ToEditFieldText("a\r\nb\nc"), "a\nb\nc");
    EXPECT_EQ(FromEditFieldText("a\nb\r\nc", "x\r\ny"), "a\r\nb\r\nc");
    EXPECT_EQ(FromEditFieldText("\na\n", "x\r\ny"), "\r\na\r\n");
    EXPECT_EQ(FromEditFieldText("a\nb", "x\ny"), "a\nb");
}
