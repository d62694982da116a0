#include "core/xml_access.h"
#include "support/test_support.h"
#include "tree/item_labels.h"

#include <gtest/gtest.h>

namespace {

// The first element of `xml` named `name` (the root or one of its children).
struct Fragment {
    explicit Fragment(const std::string& xml) : doc(ParseSclText(xml)) {}
    ~Fragment() { xmlFreeDoc(doc); }
    xmlNode* Root() const { return xmlDocGetRootElement(doc); }
    xmlNode* Child() const { return *ElementChildren(Root()).begin(); }
    xmlDoc* doc;
};

}  // namespace

TEST(ItemLabels, EachKindHasItsRule)
{
    const std::pair<const char*, const char*> cases[] = {
        {R"(<ExtRef intAddr="x"/>)", "ExtRef: "},
        {R"(<ExtRef iedName="P1" ldInst="LD0" lnClass="GGIO" lnInst="1" doName="Ind1" daName="stVal"/>)",
         "ExtRef: P1LD0/GGIO1.Ind1.stVal"},
        {R"(<ExtRef prefix="Q" lnClass="XCBR" lnInst="2" doName="Pos"/>)", "ExtRef: QXCBR2.Pos"},
        {R"(<ExtRef iedName="P1" doName="Pos"/>)", "ExtRef: P1/.Pos"},
        {R"(<FCDA ldInst="LD0" prefix="" lnClass="XCBR" lnInst="1" fc="ST" doName="Pos"/>)", "FCDA: XCBR1.ST.Pos"},
        {R"(<FCDA lnClass="X" lnInst="1" fc="MX" doName="A" daName="phsA.cVal"/>)", "FCDA: X1.MX.A.phsA.cVal"},
        {R"(<LN0 lnClass="LLN0" inst=""/>)", "LN: LLN0"},
        {R"(<LN prefix="Q0" lnClass="XCBR" inst="1" name="n"/>)", "LN: Q0XCBR1"},
        {R"(<LDevice inst="LD0" name="n"/>)", "LD: LD0"},
        {R"(<ConnectedAP iedName="P1" apName="S1"/>)", "ConnectedAP: IED: P1 AP: S1"},
        {"<Val>\n 12.5 </Val>", "Value: 12.5"},
        {R"(<IED name="P1" type="T"/>)", "IED: P1"},
        {R"(<P type="IP">1.2.3.4</P>)", "P: IP"},
        {R"(<BitRate unit="b/s">100</BitRate>)", "BitRate"},
    };
    for (const auto& [xml, label] : cases) EXPECT_EQ(MakeItemLabel(Fragment(xml).Root()).text, label) << xml;
}

TEST(ItemLabels, ClassifiesByExactNameAndPlace)
{
    auto kind = [](const char* xml) { return ClassifyElement(Fragment(xml).Root()); };
    EXPECT_EQ(kind("<LN0/>"), kKindLN);
    EXPECT_EQ(kind("<ied/>"), kKindOther);
    EXPECT_EQ(kind("<Address/>"), kKindAddress);
    EXPECT_EQ(ClassifyElement(Fragment("<GSE><Address/></GSE>").Child()), kKindGSEAddress);
    EXPECT_EQ(ClassifyElement(Fragment("<SMV><Address/></SMV>").Child()), kKindAddress);
    EXPECT_EQ(kind(R"(<IED><X><AccessPoint clock="false"/><AccessPoint clock="true"/></X></IED>)"), kKindTimeServer);
    EXPECT_EQ(kind(R"(<IED><AccessPoint clock="True"/></IED>)"), kKindIED);
    // An access point that is no clock is not searched.
    EXPECT_EQ(kind(R"(<IED><AccessPoint><X><AccessPoint clock="true"/></X></AccessPoint></IED>)"), kKindIED);
}
