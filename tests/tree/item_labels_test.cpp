#include "core/xml_access.h"
#include "support/test_support.h"
#include "tree/item_labels.h"

#include <gtest/gtest.h>

namespace {

struct Fragment {
    explicit Fragment(const std::string& xml) : doc(ParseSclText(xml)) {}
    ~Fragment() { xmlFreeDoc(doc); }
    xmlNode* Root() const { return xmlDocGetRootElement(doc); }
    xmlDoc* doc;
};

// The whole-project outline shows the common labels; these are the edge cases.
TEST(ItemLabels, EachKindHasItsRule)
{
    const std::pair<const char*, const char*> cases[] = {
        {R"(<ExtRef intAddr="x"/>)", "ExtRef: "},
        {R"(<ExtRef prefix="Q" lnClass="XCBR" lnInst="2" doName="Pos"/>)", "ExtRef: QXCBR2.Pos"},
        {R"(<ExtRef iedName="P1" doName="Pos"/>)", "ExtRef: P1/.Pos"},
        {R"(<FCDA lnClass="X" lnInst="1" fc="MX" doName="A" daName="phsA.cVal"/>)", "FCDA: X1.MX.A.phsA.cVal"},
        {R"(<LN prefix="Q0" lnClass="XCBR" inst="1" name="n"/>)", "LN: Q0XCBR1"},
        {R"(<ConnectedAP iedName="P1" apName="S1"/>)", "ConnectedAP: IED: P1 AP: S1"},
        {"<Val>\n 12.5 </Val>", "Value: 12.5"},
        {R"(<P type="IP">1.2.3.4</P>)", "P: IP"},
        {R"(<BitRate unit="b/s">100</BitRate>)", "BitRate"},
    };
    for (const auto& [xml, label] : cases) EXPECT_EQ(MakeItemLabel(Fragment(xml).Root()).text, label) << xml;
}

// A GSE's Address is a GOOSE address; an IED is a time server when a clock access
// point stands anywhere below it, except inside an access point that is no clock.
TEST(ItemLabels, ClassifiesByExactNameAndPlace)
{
    const std::pair<const char*, int32_t> cases[] = {
        {"<LN0/>", kKindLN},
        {"<ied/>", kKindOther},
        {"<Address/>", kKindAddress},
        {R"(<IED><X><AccessPoint clock="false"/><AccessPoint clock="true"/></X></IED>)", kKindTimeServer},
        {R"(<IED><AccessPoint clock="True"/></IED>)", kKindIED},
        {R"(<IED><AccessPoint><X><AccessPoint clock="true"/></X></AccessPoint></IED>)", kKindIED},
    };
    for (const auto& [xml, kind] : cases) EXPECT_EQ(ClassifyElement(Fragment(xml).Root()), kind) << xml;
    for (const auto& [parent, kind] : {std::pair{"<GSE><Address/></GSE>", kKindGSEAddress}, {"<SMV><Address/></SMV>", kKindAddress}})
        EXPECT_EQ(ClassifyElement(Fragment(parent).Root()->children), kind) << parent;
}

}  // namespace
