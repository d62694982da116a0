// The text rules for what is written into a project and for echoing what was read.
#include "document/xml_text.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

TEST(XmlText, NamesRefuseControlCharactersWhereTextAllowsLineBreaks)
{
    const struct {
        std::string text;
        bool xmlText, name;
    } rows[] = {
        {"P1 M\xC3\xBCller \xE2\x82\xAC \xF0\x9F\x94\x8C", true, true},
        {"", true, true},
        {"a\tb\nc\r", true, false},
        {"esc\x1b[31m", false, false},
        {"nul\0"s, false, false},
        {"del\x7F", true, false},
        {"c1\xC2\x9B", true, false},      // U+009B, a terminal's one-byte escape
        {"latin\xFC", false, false},      // Latin-1, not UTF-8
        {"over\xC0\xAF", false, false},   // overlong "/"
        {"sur\xED\xA0\x80", false, false},  // a surrogate
        {"cut\xE2\x82", false, false},
        {"\xEF\xBF\xBE", false, false},   // U+FFFE
    };
    for (const auto& row : rows) {
        EXPECT_EQ(IsXmlText(row.text), row.xmlText) << QuotedText(row.text);
        EXPECT_EQ(IsNameText(row.text), row.name) << QuotedText(row.text);
    }
}

TEST(XmlText, QuotingEscapesWhatATerminalWouldActOnAndCutsLongText)
{
    const std::pair<std::string, std::string> rows[] = {
        {"LD0/GGIO1.Ind1 [ST]", "\"LD0/GGIO1.Ind1 [ST]\""},
        {"say \"hi\" \\ \xC3\xBC", "\"say \\\"hi\\\" \\\\ \xC3\xBC\""},
        {"\x1b]0;title\x07\0end"s, "\"\\x1b]0;title\\x07\\x00end\""},
        {"a\tb\r\n", "\"a\\tb\\r\\n\""},
        {"\xC2\x9B" "2J \xE2\x80\xAE" "txt \xFF\xC3", "\"\\xc2\\x9b2J \\xe2\\x80\\xaetxt \\xff\\xc3\""},
        {"\xE2\x81\xA9" "x\xE2\x81\xAA", "\"\\xe2\\x81\\xa9x\xE2\x81\xAA\""},  // U+2069 and U+206A
        {std::string(100, 'x'), "\"" + std::string(80, 'x') + "\"... (100 bytes)"},
        {std::string(80, 'x'), "\"" + std::string(80, 'x') + "\""},
    };
    for (const auto& [text, quoted] : rows) EXPECT_EQ(QuotedText(text), quoted);
    EXPECT_EQ(QuotedText("\x01\x02\x03\x04", 10), "\"\\x01\\x02\\x03\"... (4 bytes)");
}

}  // namespace
