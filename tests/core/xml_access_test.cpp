#include "core/xml_access.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(XmlAccess, AttributesInANamespaceAreNeverReturned)
{
    xmlDoc* tree = ParseSclText(SclDocument("<IED xsi:type=\"tIED\" name=\"P1\" desc=\"\"/>"));
    xmlNode* ied = FindChildElement(xmlDocGetRootElement(tree), "IED");
    EXPECT_STREQ(GetAttribute(ied, "type"), "");
    EXPECT_STREQ(GetAttribute(ied, "name"), "P1");
    EXPECT_STREQ(GetAttribute(ied, "desc"), "");
    EXPECT_STREQ(GetAttribute(ied, "missing"), "");
    EXPECT_STREQ(GetAttribute(nullptr, "name"), "");
    xmlFreeDoc(tree);
}
