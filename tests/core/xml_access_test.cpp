#include "core_fixture.h"

namespace {

TEST(XmlAccess, AttributesWithoutNamespaceAndDirectChildrenOfTheExactName)
{
    TreePtr tree = ParsedTree(SclDocument("<IED xsi:type=\"tIED\" name=\"P1\"><Server/></IED><ied name=\"lower\"/>"));
    xmlNode* root = xmlDocGetRootElement(tree.get());
    xmlNode* ied = FindChildElement(root, "IED");
    EXPECT_STREQ(GetAttribute(ied, "name"), "P1");
    EXPECT_STREQ(GetAttribute(ied, "type"), "");
    EXPECT_STREQ(GetAttribute(ied, "missing"), "");
    EXPECT_STREQ(GetAttribute(nullptr, "name"), "");
    EXPECT_EQ(FindChildElement(root, "Server"), nullptr);
    EXPECT_EQ(FindChildElement(nullptr, "IED"), nullptr);
}

TEST(XmlAccess, ValuesAreReadWholeAndTrimmed)
{
    TreePtr tree = ParsedTree("<?xml version=\"1.0\"?>\n<!DOCTYPE SCL [<!ENTITY site \"North\">]>\n"
                              "<SCL><Substation name=\"A&amp;B &site; &#65;\"/>"
                              "<Val><!-- note --> \n\t<![CDATA[cdata]]>  abc  </Val><Val/></SCL>");
    xmlNode* root = xmlDocGetRootElement(tree.get());
    EXPECT_STREQ(GetAttribute(FindChildElement(root, "Substation"), "name"), "A&B North A");
    xmlNode* val = FindChildElement(root, "Val");
    EXPECT_EQ(GetElementText(val), "abc");
    EXPECT_EQ(GetElementText(xmlNextElementSibling(val)), "");
    EXPECT_TRUE(IsBlankText(" \t\r\n", 4));
    EXPECT_FALSE(IsBlankText(" \v", 2));
}

}  // namespace
