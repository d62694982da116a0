#include "datasets/property_rows.h"
#include "property_view_fixture.h"

TEST_F(PropertyViewTest, NamedElementsEditOnlyTheirName)
{
    LoadFixture();
    Select("Substation: S1");
    EXPECT_EQ(SectionTitles(), Lines{"Substation"});
    EXPECT_EQ(Rows("Substation"), (Lines{"desc=Main station", "name=S1 [string]"}));
    Select("Bay: B1");
    // An attribute of another namespace is no stand-in for the name.
    EXPECT_EQ(Rows("Bay"), (Lines{"desc=Feeder", "e:name=Outer", "name=B1 [string]"}));
    Select("SubNetwork: N1");
    EXPECT_EQ(Rows("SubNetwork"), (Lines{"desc=Station bus", "name=N1 [string]", "type=8-MMS"}));
}

// One row per P type; a GOOSE address only shows its rows.
TEST_F(PropertyViewTest, AddressesShowOneRowPerPType)
{
    LoadText(SclDocument(R"(<Communication><SubNetwork name="N1"><ConnectedAP iedName="P1" apName="AP1"><Address>
        <P type="IP">10.0.0.1</P><P type="IP">10.0.0.2</P><P type="APPID">   </P><P type="VLAN-ID">00A</P>
        </Address><GSE ldInst="LD0" cbName="gcb1"><Address><P type="MAC-Address">01-0C-CD-01-00-01</P>
        <P type="APPID">3001</P><P type="VLAN-ID">000</P><P type="VLAN-PRIORITY">4</P></Address></GSE>
        </ConnectedAP></SubNetwork></Communication>)"));
    Select("Address");
    EXPECT_EQ(SectionTitles(), Lines{"Address"});
    EXPECT_EQ(Rows("Address"), (Lines{"IP=10.0.0.1 [string]", "VLAN-ID=00A [string]"}));
    view.Select(NextItemInPreOrder(Select("GSE")));
    EXPECT_EQ(view.SelectedRecord()->kind, kKindGSEAddress);
    EXPECT_EQ(Rows("Address"),
              (Lines{"APPID=3001", "MAC-Address=01-0C-CD-01-00-01", "VLAN-ID=000", "VLAN-PRIORITY=4"}));
}

TEST_F(PropertyViewTest, ReportControlShowsItsVisibleChildrenAsSections)
{
    LoadFixture();
    Select("ReportControl: rcb1");
    EXPECT_EQ(SectionTitles(), (Lines{"ReportControl", "TrgOps", "OptFields", "RptEnabled"}));
    EXPECT_EQ(Rows("ReportControl"),
              (Lines{"bufTime=50 [number]", "buffered=true", "confRev=1 [number]", "datSet=DS1 [choice]",
                     "desc=Events", "indexed=true", "intgPd=1000 [number]", "name=rcb1", "rptID=R1 [string]"}));
    // "0" is false to the schema, and so here.
    EXPECT_EQ(Rows("TrgOps"), (Lines{"dchg=true [yes/no]", "dupd=true [yes/no]", "gi=true [yes/no]",
                                     "period=false [yes/no]", "qchg=false [yes/no]"}));
    EXPECT_EQ(Rows("OptFields"), (Lines{"bufOvfl=true [yes/no]", "seqNum=true [yes/no]", "timeStamp=false [yes/no]"}));
    EXPECT_EQ(Rows("RptEnabled"), Lines{"max=5"});
    EXPECT_EQ(Item("ReportControl", "datSet")->options, (Lines{"", "DS1", "LD0/Q1GGIO1.DS2", "LD1/LLN0.DS3"}));

    xmlSetProp(Selected(), Xml("datSet"), Xml("Missing"));
    logic.Refresh();
    EXPECT_EQ(Shown("ReportControl", "datSet"), "");
}

TEST_F(PropertyViewTest, ReportControlGetsAnEmptyRptIDButNoEmptyDatSet)
{
    LoadFixture();
    Select("ReportControl: rcb2");
    EXPECT_TRUE(HasAttribute("rptID"));
    // An empty datSet would break the schema and so refuse every later edit.
    EXPECT_FALSE(HasAttribute("datSet"));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(Rows("ReportControl"), (Lines{"confRev=3 [number]", "datSet= [choice]", "name=rcb2", "rptID= [string]"}));
    EXPECT_EQ(Rows("TrgOps"), Lines{"dchg=true [yes/no]"});
}

TEST_F(PropertyViewTest, GSEControlEditsAppIDAndConfRev)
{
    LoadFixture();
    Select("GSEControl: gcb1");
    EXPECT_EQ(Rows("GSEControl"), (Lines{"appID=P1gcb1 [string]", "confRev=1 [number]", "datSet=DS1", "desc=Trips",
                                         "name=gcb1", "type=GOOSE"}));
}

TEST_F(PropertyViewTest, OtherElementsAreReadOnlyWithTheFirstTextAsValue)
{
    LoadFixture();
    Select("LN: Q1GGIO1");
    EXPECT_EQ(Rows("LN"), (Lines{"inst=1", "lnClass=GGIO", "lnType=GGIO_T", "prefix=Q1"}));

    xmlDoc* tree = ParseSclText("<Val xmlns=\"http://www.iec.ch/61850/2003/SCL\" sGroup=\"1\">first<!--c-->second</Val>");
    TreeItemRecord record{xmlDocGetRootElement(tree), kKindVal};
    EditTable edits;
    grid.ResetContents();
    FillPropertyRows(grid, doc, record, edits);
    EXPECT_EQ(Rows("Val"), (Lines{"sGroup=1", "value=first"}));
    EXPECT_TRUE(edits.empty());
    xmlFreeDoc(tree);
}

TEST_F(PropertyViewTest, NoSelectionEmptiesTheGrid)
{
    LoadFixture();
    Select("Bay: B1");
    view.Select(nullptr);
    EXPECT_TRUE(grid.Sections().empty());
    EXPECT_EQ(logic.OnItemChanged(0), EditOutcome::Ignored);
}
