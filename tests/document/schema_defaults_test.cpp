// The values a schema gives left-out attributes, by element name: followed through
// extensions and attribute groups, and dropped where declarations of one name disagree.
#include "document/schema_defaults.h"

#include <gtest/gtest.h>

namespace {

TEST(SchemaDefaults, ValuesByElementNameAgreedByEveryDeclaration)
{
    const SchemaDefaults defaults(R"(<xs:schema xmlns:xs="http://www.w3.org/2001/XMLSchema">
  <xs:attributeGroup name="agKind"><xs:attribute name="kind" default="plain"/></xs:attributeGroup>
  <xs:complexType name="tBase"><xs:attribute name="count" default="0"/></xs:complexType>
  <xs:complexType name="tC"><xs:complexContent><xs:extension base="tBase">
    <xs:attributeGroup ref="agKind"/><xs:attribute name="unit" fixed="s"/>
  </xs:extension></xs:complexContent></xs:complexType>
  <xs:complexType name="tA1"><xs:attribute name="x" default="1"/></xs:complexType>
  <xs:complexType name="tA2"><xs:attribute name="x" default="2"/></xs:complexType>
  <xs:complexType name="tB1"><xs:attribute name="y" default="k"/></xs:complexType>
  <xs:complexType name="tB2"><xs:attribute name="y"/></xs:complexType>
  <xs:complexType name="tRoot"><xs:sequence>
    <xs:element name="A" type="tA1"/><xs:element name="B" type="tB1"/>
    <xs:element name="Inner"><xs:complexType><xs:sequence>
      <xs:element name="A" type="tA2"/><xs:element name="B" type="tB2"/>
    </xs:sequence><xs:attribute name="on" default="true"/></xs:complexType></xs:element>
  </xs:sequence></xs:complexType>
  <xs:element name="C" type="tC"/>
  <xs:element name="Root" type="tRoot"/>
</xs:schema>)");
    const struct {
        const char* element;
        const char* attribute;
        const char* value;  // null: none
    } rows[] = {
        {"C", "count", "0"}, {"C", "kind", "plain"}, {"C", "unit", "s"}, {"Inner", "on", "true"},
        {"A", "x", nullptr}, {"B", "y", nullptr},     {"C", "other", nullptr}, {"Nope", "x", nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.element) + " " + row.attribute);
        const std::string* found = defaults.Find(row.element, row.attribute);
        if (row.value) {
            ASSERT_TRUE(found);
            EXPECT_EQ(*found, row.value);
        } else {
            EXPECT_FALSE(found);
        }
    }
    EXPECT_EQ(*SchemaDefaults::For(SclEdition::Ed2003).Find("DA", "valKind"), "Set");
}

}  // namespace
