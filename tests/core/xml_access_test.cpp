#include "core/xml_access.h"
#include "core/xml_parse.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace {

class XmlAccess : public ::testing::Test {
protected:
    void Load(const std::string& body) { tree = ParseSclText(SclDocument(body)); }
    void TearDown() override { xmlFreeDoc(tree); }
    xmlNode* Root() const { return xmlDocGetRootElement(tree); }
    xmlDoc* tree = nullptr;
};

TEST_F(XmlAccess, GetAttributeReadsOnlyAttributesWithoutNamespace)
{
    Load("<IED xsi:type=\"tIED\" name=\"P1\" desc=\"\"/>");
    xmlNode* ied = FindChildElement(Root(), "IED");
    EXPECT_STREQ(GetAttribute(ied, "type"), "");
    EXPECT_STREQ(GetAttribute(ied, "name"), "P1");
    EXPECT_STREQ(GetAttribute(ied, "desc"), "");
    EXPECT_STREQ(GetAttribute(ied, "missing"), "");
    EXPECT_STREQ(GetAttribute(nullptr, "name"), "");
}

TEST_F(XmlAccess, GetAttributeSeesWholeValuesWithEntityReferences)
{
    std::string text =
        "<?xml version=\"1.0\"?>\n<!DOCTYPE SCL [<!ENTITY site \"North\">]>\n"
        "<SCL><Substation name=\"A&amp;B &site; &#65;\"/></SCL>";
    tree = ParseSclText(text);
    EXPECT_STREQ(GetAttribute(FindChildElement(Root(), "Substation"), "name"), "A&B North A");
}

TEST_F(XmlAccess, FindChildElementMatchesExactNamesOfDirectChildren)
{
    Load("<Substation name=\"S\"><VoltageLevel name=\"V\"/></Substation><substation name=\"lower\"/>");
    EXPECT_STREQ(GetAttribute(FindChildElement(Root(), "Substation"), "name"), "S");
    EXPECT_EQ(FindChildElement(Root(), "VoltageLevel"), nullptr);
    EXPECT_EQ(FindChildElement(nullptr, "Substation"), nullptr);
}

TEST_F(XmlAccess, GetElementTextSkipsCommentsAndBlankTextAndTrims)
{
    tree = ParseSclText("<SCL><Val><!-- note --> \n\t<![CDATA[cdata]]>  abc  </Val><Val/></SCL>");
    xmlNode* val = FindChildElement(Root(), "Val");
    EXPECT_EQ(GetElementText(val), "abc");
    EXPECT_EQ(GetElementText(val->next), "");
}

TEST(IsBlankText, OnlyTabLineFeedReturnAndSpaceAreBlank)
{
    EXPECT_TRUE(IsBlankText("", 0));
    EXPECT_TRUE(IsBlankText("x", 0));
    EXPECT_TRUE(IsBlankText(" \t\r\n", 4));
    EXPECT_FALSE(IsBlankText(" \v", 2));
    EXPECT_FALSE(IsBlankText("  a", 3));
}

}  // namespace

namespace {

TEST(XmlParse, ExponentialEntitiesInAttributesAreRefused)
{
    std::string text = "<?xml version=\"1.0\"?>\n<!DOCTYPE SCL [<!ENTITY a0 \"xxxxxxxxxx\">";
    for (int i = 1; i < 10; ++i)
        text += "<!ENTITY a" + std::to_string(i) + " \"" +
                [&] { std::string s; for (int k = 0; k < 10; ++k) s += "&a" + std::to_string(i - 1) + ";"; return s; }() +
                "\">";
    text += "]>\n<SCL><Substation name=\"&a9;\"/></SCL>";
    std::string error;
    xmlDoc* doc = ParseXmlMemory(text, "hostile.scd", &error);
    EXPECT_EQ(doc, nullptr);
    EXPECT_FALSE(error.empty());
    xmlFreeDoc(doc);
}

}  // namespace
