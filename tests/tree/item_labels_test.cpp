#include "core/xml_access.h"
#include "support/test_support.h"
#include "tree/item_labels.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// One parsed XML fragment; `Element()` is its root element.
class Fragment {
public:
    explicit Fragment(const std::string& text) : doc_(ParseSclText(text), xmlFreeDoc) {}
    xmlNode* Element() const { return xmlDocGetRootElement(doc_.get()); }
    xmlNode* FirstChild() const { return *ElementChildren(Element()).begin(); }

private:
    std::unique_ptr<xmlDoc, void (*)(xmlDoc*)> doc_;
};

std::string Label(const std::string& text)
{
    return MakeItemLabel(Fragment(text).Element()).text;
}

int32_t Kind(const std::string& text)
{
    return ClassifyElement(Fragment(text).Element());
}

}  // namespace

TEST(ItemLabels, ExtRefRunsIedNameAndLdInstTogether)
{
    EXPECT_EQ(Label(R"(<ExtRef intAddr="x"/>)"), "ExtRef: ");
    EXPECT_EQ(Label(R"(<ExtRef iedName="P1" ldInst="LD0" lnClass="GGIO" lnInst="1" doName="Ind1" daName="stVal"/>)"),
              "ExtRef: P1LD0/GGIO1.Ind1.stVal");
    EXPECT_EQ(Label(R"(<ExtRef prefix="Q" lnClass="XCBR" lnInst="2" doName="Pos"/>)"), "ExtRef: QXCBR2.Pos");
    EXPECT_EQ(Label(R"(<ExtRef doName="Pos"/>)"), "ExtRef: Pos");
    EXPECT_EQ(Label(R"(<ExtRef iedName="P1" doName="Pos"/>)"), "ExtRef: P1/.Pos");
}

TEST(ItemLabels, FcdaLeavesOutLdInstAndEmptyDaName)
{
    EXPECT_EQ(Label(R"(<FCDA ldInst="LD0" prefix="" lnClass="XCBR" lnInst="1" fc="ST" doName="Pos"/>)"),
              "FCDA: XCBR1.ST.Pos");
    EXPECT_EQ(Label(R"(<FCDA prefix="Q" lnClass="XCBR" lnInst="1" fc="ST" doName="Pos" daName="stVal"/>)"),
              "FCDA: QXCBR1.ST.Pos.stVal");
}

TEST(ItemLabels, KindSpecificRules)
{
    EXPECT_EQ(Label(R"(<LN0 lnClass="LLN0" inst=""/>)"), "LN: LLN0");
    EXPECT_EQ(Label(R"(<LN prefix="Q0" lnClass="XCBR" inst="1" lnType="T"/>)"), "LN: Q0XCBR1");
    EXPECT_EQ(Label(R"(<LDevice inst="LD0" desc="d"/>)"), "LD: LD0");
    EXPECT_EQ(Label(R"(<ConnectedAP iedName="P1" apName="S1"/>)"), "ConnectedAP: IED: P1 AP: S1");
    EXPECT_EQ(Label("<Val>\n  12.5  \n</Val>"), "Value: 12.5");
}

TEST(ItemLabels, DefaultRulePrefersNameThenType)
{
    EXPECT_EQ(Label(R"(<IED name="P1" type="T"/>)"), "IED: P1");
    EXPECT_EQ(Label(R"(<P type="IP">1.2.3.4</P>)"), "P: IP");
    EXPECT_EQ(Label(R"(<DO name="Pos" type="DPC"/>)"), "DO: Pos");
    EXPECT_EQ(Label(R"(<BitRate unit="b/s">100</BitRate>)"), "BitRate");
    EXPECT_EQ(Label(R"(<Communication/>)"), "Communication");
}

TEST(ItemLabels, ClassifiesByExactName)
{
    EXPECT_EQ(Kind("<Substation/>"), kKindSubstation);
    EXPECT_EQ(Kind("<LN0/>"), kKindLN);
    EXPECT_EQ(Kind("<LN/>"), kKindLN);
    EXPECT_EQ(Kind("<Inputs/>"), kKindInputs);
    EXPECT_EQ(Kind("<ied/>"), kKindOther);
    EXPECT_EQ(Kind("<DOI/>"), kKindOther);
    EXPECT_EQ(Kind("<Address/>"), kKindAddress);
    Fragment gse("<GSE><Address/></GSE>");
    EXPECT_EQ(ClassifyElement(gse.FirstChild()), kKindGSEAddress);
    Fragment smv("<SMV><Address/></SMV>");
    EXPECT_EQ(ClassifyElement(smv.FirstChild()), kKindAddress);
}

TEST(ItemLabels, TimeServerIsAnIedWithAClockAccessPoint)
{
    EXPECT_EQ(Kind(R"(<IED name="T"><AccessPoint name="A" clock="true"/></IED>)"), kKindTimeServer);
    EXPECT_EQ(Kind(R"(<IED name="T"><X><Y><AccessPoint clock="true"/></Y></X></IED>)"), kKindTimeServer);
    EXPECT_EQ(Kind(R"(<IED name="T"><AccessPoint clock="false"/><AccessPoint clock="true"/></IED>)"),
              kKindTimeServer);
    EXPECT_EQ(Kind(R"(<IED name="T"><AccessPoint clock="True"/></IED>)"), kKindIED);
    // An access point that is no clock is not searched.
    EXPECT_EQ(Kind(R"(<IED name="T"><AccessPoint><X><AccessPoint clock="true"/></X></AccessPoint></IED>)"),
              kKindIED);
}

TEST(ItemLabels, MarkedLabelShowsTheKindsMarkersInOrder)
{
    Fragment ln(R"(<LN0 lnClass="LLN0" inst=""/>)");
    TreeItemRecord record;
    record.node = ln.Element();
    record.kind = kKindLN;
    record.markers = kMarkerGoose | kMarkerReports | kMarkerDatasets | kMarkerInputs;
    EXPECT_EQ(MakeMarkedItemLabel(record), "LN: LLN0 [I] [G] [R] [D]");
    record.markers = kMarkerDatasets;
    EXPECT_EQ(MakeMarkedItemLabel(record), "LN: LLN0 [D]");

    EXPECT_EQ(MarkerSuffix(kKindIED, 15), " [I] [G]");
    EXPECT_EQ(MarkerSuffix(kKindLDevice, kMarkerGoose), " [G]");
    EXPECT_EQ(MarkerSuffix(kKindConnectedAP, 15), " [G]");
    EXPECT_EQ(MarkerSuffix(kKindTimeServer, 15), "");
    EXPECT_EQ(MarkerSuffix(kKindDataSet, 15), "");
}

TEST(ItemLabels, MarkedLabelOfAValueKeepsTheValueText)
{
    Fragment val("<Val>7</Val>");
    TreeItemRecord record;
    record.node = val.Element();
    record.kind = kKindVal;
    EXPECT_EQ(MakeMarkedItemLabel(record), "Value: 7");
}
