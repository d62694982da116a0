#include "support/fake_ui.h"
#include "tree/item_labels.h"
#include "tree_fixture.h"

// Type data before a logical node's own children, instance values (merged, unmatched,
// through an SDO), missing types, hidden elements (in a Bay, an IED, a DOI and a
// DOType), unshown address parts and the time server, in one outline.
TEST_F(TreeTest, BuildsTheWholeProject)
{
    LoadFixture();
    const std::string expected =
        "Substation: S1\n"
        "  VoltageLevel: V1\n"
        "    Bay: B1\n"
        "Communication\n"
        "  SubNetwork: N1\n"
        "    ConnectedAP: IED: P1 AP: AP1 [G]\n"
        "      Address\n"
        "      GSE\n"
        "        Address\n"
        "    ConnectedAP: IED: P2 AP: AP1\n"
        "      Address\n"
        "    ConnectedAP: IED: TS AP: CLK\n"
        "IED: P1 [I] [G]\n"
        "  AccessPoint: AP1\n"
        "    Server\n"
        "      Authentication\n"
        "      LD: LD0 [I] [G]\n"
        "        LN: LLN0 [I] [G] [R] [D]\n"
        "          DO: Mod\n"
        "            DA: stVal\n"
        "              Value: on\n"
        "            DA: q\n"
        "          DO: Beh\n"
        "            DA: stVal\n"
        "            DA: q\n"
        "          DataSet: DS1\n"
        "            FCDA: XCBR1.ST.Pos\n"
        "          ReportControl: RC1\n"
        "          GSEControl: GC1\n"
        "          Inputs\n"
        "            ExtRef: P2LD0/GGIO1.Ind1.stVal\n"
        "        LN: XCBR1\n"
        "          DO: Pos\n"
        "            DA: stVal\n"
        "            SDO: sub\n"
        "              DA: v\n"
        "                Value: deep\n"
        "                Value: 2\n"
        "            DA: origin\n"
        "              BDA: orCat\n"
        "              BDA: orIdent\n"
        "              BDA: nested\n"
        "                BDA: e\n"
        "            DA: ctlModel\n"
        "          DO: Loc\n"
        "IED: P2\n"
        "  AccessPoint: AP1\n"
        "    Server\n"
        "      Authentication\n"
        "      LD: LD0\n"
        "        LN: GGIO1\n"
        "          DO: Ind1\n"
        "            DA: stVal\n"
        "IED: TS\n"
        "  AccessPoint: CLK\n"
        "    Server\n"
        "      Authentication\n"
        "      LD: TIME [I]\n"
        "        LN: LLN0 [I]\n"
        "          DO: Health\n"
        "            DA: stVal\n"
        "          Inputs\n"
        "            ExtRef: \n";
    EXPECT_EQ(Outline(), expected);
    EXPECT_EQ(view.Selected(), view.FirstRootItem());
    EXPECT_EQ(view.Record(Find("IED: TS"))->kind, kKindTimeServer);
    EXPECT_EQ(view.Record(Find("IED: TS"))->markers, 0);
    // Building again gives the first build's records back.
    size_t records = doc.ItemRecordCount();
    view.BuildTree();
    EXPECT_EQ(Outline(), expected);
    EXPECT_EQ(doc.ItemRecordCount(), records);
    EXPECT_EQ(CheckedItemCount(), records);
}

TEST_F(TreeTest, NewProjectShowsTheTemplatesStationAndSubnetwork)
{
    FakeUi ui;
    ASSERT_TRUE(doc.OnFileNew(ui));
    EXPECT_EQ(Outline(), "Substation: IEC61850 station\n  VoltageLevel: Voltage level1\n    Bay: Field1\n"
                         "Communication\n  SubNetwork: Subnet1\n    BitRate\n");
    EXPECT_EQ(view.Caption().substation, "IEC61850 station");
    doc.OnCloseDocument();
    // The elements are gone until the next build: the items show nothing.
    EXPECT_EQ(view.FirstRootItem()->Label(), "");
    view.BuildTree();
    EXPECT_EQ(view.RootItemCount(), 0);
    EXPECT_EQ(view.Selected(), nullptr);
}

TEST_F(TreeTest, HiddenNamesAreExactAndEntityContentIsNotShown)
{
    Load(R"(<Private><IED name="X"/></Private><private name="shown"/>
<IED name="A"><History/><AccessPoint name="P"><Private><LDevice inst="X"/></Private></AccessPoint></IED>)");
    EXPECT_EQ(Outline(), "private: shown\nIED: A\n  AccessPoint: P\n");
    // Nested references would multiply the items; no other reader sees their content.
    LoadText("<!DOCTYPE SCL [<!ENTITY b \"<Bay name='E'/>\"><!ENTITY c \"&b;&b;&b;\">]>\n"
             "<SCL><Substation name=\"S\">&c;<Bay name=\"Real\"/></Substation></SCL>");
    EXPECT_EQ(Outline(), "Substation: S\n  Bay: Real\n");
}

namespace {

// An IED whose LN0 has a DOI with a value for each of the `count` data objects of its
// type, in the reverse order; the type repeats its first name at the end, and the LN0
// holds a DO element of its own and a value for it.
std::string WideLogicalNode(int count)
{
    std::string objects;
    std::string instances;
    for (int i = 0; i < count; ++i) {
        std::string name = std::to_string(count - 1 - i);
        objects += "<DO name=\"d" + std::to_string(i) + "\" type=\"T\"/>";
        instances += "<DOI name=\"d" + name + "\"><DAI name=\"v\"><Val>" + name + "</Val></DAI></DOI>";
    }
    return R"(<IED name="A"><LN0 lnClass="LLN0" inst="" lnType="L">)" + instances +
           R"(<DO name="own"/><DOI name="own"><Val>x</Val></DOI></LN0></IED><DataTypeTemplates><LNodeType id="L">)" +
           objects + R"(<DO name="d0" type="T"/></LNodeType><DOType id="T"><DA name="v"/></DOType></DataTypeTemplates>)";
}

}  // namespace

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
