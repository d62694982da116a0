#include "support/fake_ui.h"
#include "tree_fixture.h"

#include "core/xml_access.h"

namespace {

const char* const kProjectOutline =
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
    "            DA: origin\n"
    "              BDA: orCat\n"
    "              BDA: orIdent\n"
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

}  // namespace

// Hidden elements (in a Bay, an IED, a DOI and a DOType), unshown address parts,
// instance values, unmatched instances and the time server all show in one outline.
TEST_F(TreeTest, BuildsTheWholeProjectInDocumentOrder)
{
    LoadFixture("tree_project.scd");
    EXPECT_EQ(Outline(), kProjectOutline);
    EXPECT_EQ(view.Selected(), view.FirstRootItem());
}

TEST_F(TreeTest, EveryItemHasARecordOfItsElement)
{
    LoadFixture("tree_project.scd");
    EXPECT_EQ(doc.ItemRecordCount(), ItemCount());
    for (TreeItem* item = view.FirstRootItem(); item; item = NextItemInPreOrder(item)) {
        const TreeItemRecord* record = view.Record(item);
        ASSERT_NE(record, nullptr) << item->Label();
        EXPECT_EQ(record->kind, item->Image()) << item->Label();
    }
    EXPECT_EQ(view.Record(Find("LN: LLN0 [I] [G] [R] [D]"))->markers, 15);
    EXPECT_EQ(view.Record(Find("IED: P1 [I] [G]"))->markers, kMarkerInputs | kMarkerGoose | kMarkerReports | kMarkerDatasets);
    EXPECT_EQ(view.Record(Find("DataSet: DS1"))->markers, 0);
    const TreeItemRecord* timeServer = view.Record(Find("IED: TS"));
    EXPECT_EQ(timeServer->kind, kKindTimeServer);
    EXPECT_EQ(timeServer->markers, 0);
    const TreeItemRecord* value = view.Record(Find("Value: on"));
    EXPECT_EQ(value->kind, kKindVal);
    EXPECT_TRUE(IsElementNamed(value->node, "Val"));
    EXPECT_EQ(view.Record(Find("ConnectedAP: IED: P2 AP: AP1"))->markers, 0);
}

TEST_F(TreeTest, NewProjectShowsTheTemplatesStationAndSubnetwork)
{
    FakeUi ui;
    ASSERT_TRUE(doc.OnFileNew(ui));
    EXPECT_EQ(Outline(),
              "Substation: IEC61850 station\n"
              "  VoltageLevel: Voltage level1\n"
              "    Bay: Field1\n"
              "Communication\n"
              "  SubNetwork: Subnet1\n"
              "    BitRate\n");
    EXPECT_EQ(view.Selected(), view.FirstRootItem());
    EXPECT_EQ(view.Caption().substation, "IEC61850 station");
}

TEST_F(TreeTest, NoDocumentTreeGivesNoItems)
{
    LoadFixture("tree_project.scd");
    doc.OnCloseDocument();
    view.BuildTree();
    EXPECT_EQ(view.RootItemCount(), 0);
    EXPECT_EQ(view.Selected(), nullptr);
    EXPECT_EQ(view.SelectedRecord(), nullptr);
}

TEST_F(TreeTest, BuildingAgainGivesBackTheRecordsOfTheFirstBuild)
{
    LoadFixture("tree_project.scd");
    size_t records = doc.ItemRecordCount();
    view.BuildTree();
    EXPECT_EQ(doc.ItemRecordCount(), records);
    EXPECT_EQ(Outline(), kProjectOutline);
}

TEST_F(TreeTest, LogicalNodeShowsTypeDataBeforeItsOwnChildren)
{
    Load(R"(<IED name="A"><LN lnClass="GGIO" inst="1" lnType="T"><DataSet name="X"/><DOI name="B"><DAI name="v"><Val>1</Val><Val>2</Val></DAI></DOI></LN></IED>
<DataTypeTemplates>
  <LNodeType id="T" lnClass="GGIO"><DO name="A" type="D"/><DO name="B" type="D"/><DO name="C" type="Missing"/></LNodeType>
  <DOType id="D"><DA name="v" bType="INT32"/><DA name="e" bType="Enum" type="D"/><SDO name="s" type="S"/></DOType>
  <DOType id="S"><DA name="v" bType="INT32"/></DOType>
</DataTypeTemplates>)");
    TreeItem* ln = Find("LN: GGIO1 [D]");
    EXPECT_EQ(ChildLabels(ln), (std::vector<std::string>{"DO: A", "DO: B", "DO: C", "DataSet: X"}));
    // An enumeration's DA finds no DAType of that id, even when a DOType has it.
    EXPECT_EQ(ChildLabels(ln->Child(1)), (std::vector<std::string>{"DA: v", "DA: e", "SDO: s"}));
    EXPECT_EQ(ChildLabels(ln->Child(1)->Child(0)), (std::vector<std::string>{"Value: 1", "Value: 2"}));
    EXPECT_EQ(ln->Child(0)->Child(2)->ChildCount(), 1);
    EXPECT_EQ(ln->Child(2)->ChildCount(), 0);
}

TEST_F(TreeTest, InstanceValuesFollowDoiSdiDaiNames)
{
    Load(R"(<IED name="A"><LN lnClass="GGIO" inst="1" lnType="T">
  <DOI name="D"><SDI name="s"><DAI name="v"><Val>deep</Val></DAI></SDI><DAI name="V"><Val>case</Val></DAI></DOI>
  <DOI name="D"><DAI name="v"><Val>again</Val></DAI></DOI>
  <DOI name="s"><DAI name="v"><Val>kind</Val></DAI></DOI>
</LN></IED>
<DataTypeTemplates>
  <LNodeType id="T"><DO name="D" type="DT"/></LNodeType>
  <DOType id="DT"><DA name="v" bType="INT32"/><SDO name="s" type="ST"/></DOType>
  <DOType id="ST"><DA name="v" bType="INT32"/></DOType>
</DataTypeTemplates>)");
    EXPECT_EQ(Outline(),
              "IED: A\n"
              "  LN: GGIO1\n"
              "    DO: D\n"
              "      DA: v\n"
              "        Value: again\n"
              "      SDO: s\n"
              "        DA: v\n"
              "          Value: deep\n");
}

TEST_F(TreeTest, ReportControlBelowALogicalNodeShowsNoChildren)
{
    Load(R"(<IED name="A"><LDevice inst="L"><LN0 lnClass="LLN0" inst="">
  <ReportControl name="R"><TrgOps/><RptEnabled><ClientLN iedName="X"/></RptEnabled></ReportControl>
  <LogControl name="L"><X name="y"/></LogControl>
</LN0></LDevice></IED>)");
    EXPECT_EQ(Outline(),
              "IED: A\n"
              "  LD: L\n"
              "    LN: LLN0 [R]\n"
              "      ReportControl: R\n"
              "      LogControl: L\n"
              "        X: y\n");
}

TEST_F(TreeTest, GooseAddressMarksOnlyItsConnectedAccessPoint)
{
    Load(R"(<Communication><SubNetwork name="N">
  <ConnectedAP iedName="A" apName="P"><GSE cbName="G"><Address><P type="APPID">1</P></Address></GSE></ConnectedAP>
  <ConnectedAP iedName="B" apName="P"><Address><P type="IP">1</P></Address><SMV><Address><P type="APPID">2</P></Address></SMV></ConnectedAP>
  <ConnectedAP iedName="C" apName="P"><PhysConn type="Connection"><P type="Plug">RJ45</P></PhysConn></ConnectedAP>
</SubNetwork></Communication>)");
    EXPECT_EQ(Outline(),
              "Communication\n"
              "  SubNetwork: N\n"
              "    ConnectedAP: IED: A AP: P [G]\n"
              "      GSE\n"
              "        Address\n"
              "    ConnectedAP: IED: B AP: P\n"
              "      Address\n"
              "      SMV\n"
              "        Address\n"
              "    ConnectedAP: IED: C AP: P\n"
              "      PhysConn: Connection\n"
              "        P: Plug\n");
}

TEST_F(TreeTest, HiddenNamesAreExactAndHideTheWholeSubtree)
{
    Load(R"(<Private><IED name="X"/></Private><private name="shown"/>
<IED name="A"><Header/><History/><DataTypeTemplates/><AccessPoint name="P"><Private><LDevice inst="X"/></Private></AccessPoint></IED>)");
    EXPECT_EQ(Outline(), "private: shown\nIED: A\n  AccessPoint: P\n");
}

// The content of an entity reference is not in the element tree the rest of the
// program reads; nested references would multiply the items.
TEST_F(TreeTest, EntityReferencesAreNotExpanded)
{
    LoadDocText(doc, "<?xml version=\"1.0\"?>\n"
                     "<!DOCTYPE SCL [<!ENTITY b \"<Bay name='E'/>\"><!ENTITY c \"&b;&b;&b;&b;\">]>\n"
                     "<SCL><Substation name=\"S\">&c;<Bay name=\"Real\"/></Substation></SCL>");
    view.BuildTree();
    EXPECT_EQ(Outline(), "Substation: S\n  Bay: Real\n");
}
