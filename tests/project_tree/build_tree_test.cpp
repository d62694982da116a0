#include "document/xml_access.h"
#include "project_tree/item_labels.h"
#include "tree_fixture.h"

namespace {

// tests/data/tree_project.outline: type data before a logical node's own children,
// instance values (merged, unmatched, through an SDO), missing types, hidden elements
// (in a Bay, an IED, a DOI and a DOType), unshown address elements, markers and the time
// server. Building again gives the first build's records back.
TEST_F(TreeTest, BuildsTheWholeProject)
{
    LoadFixture();
    const std::string expected = ReadFileText(TestDataPath("tree_project.outline"));
    EXPECT_EQ(Outline(), expected);
    EXPECT_EQ(view.Selected(), view.FirstRootItem());
    size_t records = doc.ItemRecordCount();
    view.BuildTree();
    EXPECT_EQ(Outline(), expected);
    EXPECT_EQ(doc.ItemRecordCount(), records);
    EXPECT_EQ(CheckedItemCount(), records);
}

// Closing frees the elements: until the next build the items show nothing.
TEST_F(TreeTest, NewProjectShowsTheTemplatesStationAndSubnetwork)
{
    ASSERT_TRUE(doc.OnFileNew(ui));
    EXPECT_EQ(Outline(), "Substation: IEC61850 station\n  VoltageLevel: Voltage level1\n    Bay: Field1\n"
                         "Communication\n  SubNetwork: Subnet1\n    BitRate\n");
    doc.OnCloseDocument();
    EXPECT_EQ(view.FirstRootItem()->Label(), "");
    view.BuildTree();
    EXPECT_EQ(view.RootItemCount(), 0);
    EXPECT_EQ(view.Selected(), nullptr);
}

// Nested entity references would multiply the items; no other reader sees their content.
TEST_F(TreeTest, HiddenNamesAreExactAndEntityContentIsNotShown)
{
    Load(R"(<Private><IED name="X"/></Private><private name="shown"/>
<IED name="A"><History/><AccessPoint name="P"><Private><LDevice inst="X"/></Private></AccessPoint></IED>)");
    EXPECT_EQ(Outline(), "private: shown\nIED: A\n  AccessPoint: P\n");
    LoadText("<!DOCTYPE SCL [<!ENTITY b \"<Bay name='E'/>\"><!ENTITY c \"&b;&b;&b;\">]>\n"
             "<SCL><Substation name=\"S\">&c;<Bay name=\"Real\"/></Substation></SCL>");
    EXPECT_EQ(Outline(), "Substation: S\n  Bay: Real\n");
}

// An LN0 with a DOI holding a value for each of the `count` data objects of its type,
// in the reverse order; the type repeats its first name at the end, and the LN0 holds
// a DO element of its own and a value for it.
std::string WideLogicalNode(int count)
{
    std::string objects, instances;
    for (int i = 0; i < count; ++i) {
        std::string name = std::to_string(count - 1 - i);
        objects += "<DO name=\"d" + std::to_string(i) + "\" type=\"T\"/>";
        instances += "<DOI name=\"d" + name + "\"><DAI name=\"v\"><Val>" + name + "</Val></DAI></DOI>";
    }
    return R"(<IED name="A"><LN0 lnClass="LLN0" inst="" lnType="L">)" + instances +
           R"(<DO name="own"/><DOI name="own"><Val>x</Val></DOI></LN0></IED><DataTypeTemplates><LNodeType id="L">)" +
           objects + R"(<DO name="d0" type="T"/></LNodeType><DOType id="T"><DA name="v"/></DOType></DataTypeTemplates>)";
}

TEST_F(TreeTest, AWideLogicalNodeTakesItsValuesInTimeLinearInItsSize)
{
    Load(WideLogicalNode(10000));
    const size_t steps = view.InstanceMatchSteps();
    TreeItem* ln = Find("LN: LLN0");
    ASSERT_EQ(ln->ChildCount(), 10002);
    EXPECT_EQ(ChildLabels(ln->Child(0)->FirstChild()), Labels{"Value: 0"});
    EXPECT_EQ(ChildLabels(ln->Child(9999)->FirstChild()), Labels{"Value: 9999"});
    EXPECT_EQ(ln->Child(10000)->FirstChild()->ChildCount(), 0);
    EXPECT_EQ(ChildLabels(ln->Child(10001)), Labels{"Value: x"});
    Load(WideLogicalNode(20000));
    EXPECT_LT(view.InstanceMatchSteps() - steps, steps * 5 / 2);
}

struct Fragment {
    explicit Fragment(const std::string& xml) : doc(ParseSclText(xml)) {}
    ~Fragment() { xmlFreeDoc(doc); }
    xmlNode* Root() const { return xmlDocGetRootElement(doc); }
    xmlDoc* doc;
};

// The outlines show the common labels; these are the edge cases. A GSE's Address is a
// GOOSE address; an IED is a time server when a clock access point stands anywhere
// below it, except inside an access point that is no clock.
TEST(ItemLabels, EachKindHasItsRule)
{
    const std::pair<const char*, const char*> labels[] = {
        {R"(<ExtRef prefix="Q" lnClass="XCBR" lnInst="2" doName="Pos"/>)", "ExtRef: QXCBR2.Pos"},
        {"<Val>\n 12.5 </Val>", "Value: 12.5"},
        {R"(<P type="IP">1.2.3.4</P>)", "P: IP"},
    };
    for (const auto& [xml, label] : labels) EXPECT_EQ(MakeItemLabel(Fragment(xml).Root()).text, label) << xml;
    const std::pair<const char*, int32_t> kinds[] = {
        {"<LN0/>", kKindLN},
        {"<ied/>", kKindOther},
        {"<Address/>", kKindAddress},
        {R"(<IED><X><AccessPoint clock="false"/><AccessPoint clock="true"/></X></IED>)", kKindTimeServer},
        {R"(<IED><AccessPoint clock="True"/></IED>)", kKindIED},
        {R"(<IED><AccessPoint><X><AccessPoint clock="true"/></X></AccessPoint></IED>)", kKindIED},
    };
    for (const auto& [xml, kind] : kinds) EXPECT_EQ(ClassifyElement(Fragment(xml).Root()), kind) << xml;
    for (const auto& [parent, kind] : {std::pair{"<GSE><Address/></GSE>", kKindGSEAddress}, {"<SMV><Address/></SMV>", kKindAddress}})
        EXPECT_EQ(ClassifyElement(Fragment(parent).Root()->children), kind) << parent;
}

}  // namespace
