#include "datasets/ied_export.h"

#include "core/varnholt_doc.h"
#include "core/xml_access.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// An access point on two subnetworks is exported on both, two access points on one
// subnetwork share it; the types used are exported each once, after the types they
// hold, also those reached through a cycle, which the project tree cannot expand; a
// time server is exported with its connected access point and no types.
TEST(IEDExport, ConnectedAPsTypesAndTimeServers)
{
    CVarnholtDoc doc;
    LoadDocText(doc, SclDocument(R"(<Communication>
  <SubNetwork name="A"><BitRate>100</BitRate><ConnectedAP iedName="P1" apName="AP1"/><ConnectedAP iedName="X" apName="AP1"/>
    <ConnectedAP iedName="P1" apName="AP2"/></SubNetwork>
  <SubNetwork name="B"><ConnectedAP iedName="P1" apName="AP1"/><ConnectedAP iedName="T" apName="C"/></SubNetwork>
</Communication>
<IED name="P1"><AccessPoint name="AP1"><Server><Authentication/><LDevice inst="LD0">
  <LN0 lnClass="LLN0" inst="" lnType="L"/></LDevice></Server></AccessPoint><AccessPoint name="AP2"/></IED>
<IED name="T"><AccessPoint name="C" clock="true"/></IED>
<DataTypeTemplates><LNodeType id="Unused" lnClass="LLN0"/>
<LNodeType id="L" lnClass="LLN0"><DO name="a" type="S"/><DO name="b" type="D"/></LNodeType>
<DOType id="S" cdc="X"><SDO name="me" type="S"/><DA name="v" fc="ST" bType="Struct" type="A"/></DOType>
<DOType id="D" cdc="INC"><DA name="e" fc="ST" bType="Enum" type="E"/></DOType>
<DAType id="A"><BDA name="x" bType="INT32"/></DAType><EnumType id="E"><EnumVal ord="1">on</EnumVal></EnumType>
</DataTypeTemplates>)"));
    XmlDocPtr p1 = BuildIEDExport(doc, "P1");
    ASSERT_TRUE(p1);
    std::string text = XmlText(p1.get(), true);
    EXPECT_NE(text.find(R"(<SubNetwork name="A">
      <ConnectedAP iedName="P1" apName="AP1"/>
      <ConnectedAP iedName="P1" apName="AP2"/>
    </SubNetwork>
    <SubNetwork name="B">
      <ConnectedAP iedName="P1" apName="AP1"/>)"), std::string::npos) << text;
    EXPECT_NE(text.find(R"(<Header id="Orlemar SCL" nameStructure="IEDName" version="" revision=""/>)"),
              std::string::npos);
    EXPECT_EQ(text.find(" version=\"", text.find("<SCL")), text.find(" version=\"\""));  // none on the root
    std::string ids;
    for (xmlNode* type : ElementChildren(FindChildElement(xmlDocGetRootElement(p1.get()), "DataTypeTemplates")))
        ids += std::string(ElementName(type)) + " " + GetAttribute(type, "id") + ", ";
    EXPECT_EQ(ids, "LNodeType L, DOType S, DOType D, DAType A, EnumType E, ");

    XmlDocPtr timeServer = BuildIEDExport(doc, "T");
    ASSERT_TRUE(timeServer);
    text = XmlText(timeServer.get(), true);
    EXPECT_NE(text.find(R"(<ConnectedAP iedName="T" apName="C"/>)"), std::string::npos) << text;
    EXPECT_NE(text.find("<DataTypeTemplates/>"), std::string::npos) << text;
    EXPECT_FALSE(BuildIEDExport(doc, "nobody"));
}

}  // namespace
