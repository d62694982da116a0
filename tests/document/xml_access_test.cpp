#include "core_fixture.h"

namespace {

TEST(XmlAccess, ValuesAreReadWholeAndTrimmedFromAttributesWithoutNamespaceAndChildrenOfTheExactName)
{
    TreePtr tree = ParsedTree("<?xml version=\"1.0\"?>\n<!DOCTYPE SCL [<!ENTITY site \"North\">]>\n"
                              "<SCL xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"><ied name=\"lower\"/>"
                              "<IED xsi:type=\"tIED\" name=\"A&amp;B &site; &#65;\"><Server/></IED>"
                              "<Val><!-- note --> \n\t<![CDATA[cdata]]>  abc  </Val><Val/></SCL>");
    xmlNode* root = xmlDocGetRootElement(tree.get());
    xmlNode* ied = FindChildElement(root, "IED");
    EXPECT_STREQ(GetAttribute(ied, "name"), "A&B North A");
    EXPECT_STREQ(GetAttribute(ied, "type"), "");
    EXPECT_STREQ(GetAttribute(nullptr, "name"), "");
    EXPECT_EQ(FindChildElement(root, "Server"), nullptr);
    EXPECT_EQ(FindChildElement(nullptr, "IED"), nullptr);
    xmlNode* val = FindChildElement(root, "Val");
    EXPECT_EQ(GetElementText(val), "abc");
    EXPECT_EQ(GetElementText(xmlNextElementSibling(val)), "");
    EXPECT_TRUE(IsBlankText(" \t\r\n", 4));
    EXPECT_FALSE(IsBlankText(" \v", 2));
}

}  // namespace
