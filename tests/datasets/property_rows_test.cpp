#include "datasets/property_rows.h"
#include "property_view_fixture.h"

// The sections of each kind of element and their rows, "*" marking an editable one.
TEST_F(PropertyViewTest, RowsOfEachKindOfElement)
{
    LoadFixture();
    const struct {
        const char* item;
        Lines sections;
        const char* section;
        Lines rows;
    } cases[] = {
        {"Substation: S1", {"Substation"}, "Substation", {"desc=Main station", "name=S1*"}},
        // An attribute of another namespace is no stand-in for the name.
        {"Bay: B1", {"Bay"}, "Bay", {"desc=Feeder", "e:name=Outer", "name=B1*"}},
        {"SubNetwork: N1", {"SubNetwork"}, "SubNetwork", {"desc=Station bus", "name=N1*", "type=8-MMS"}},
        {"ReportControl: rcb1", {"ReportControl", "TrgOps", "OptFields", "RptEnabled"}, "ReportControl",
         {"bufTime=50*", "buffered=true", "confRev=1*", "datSet=DS1*", "desc=Events", "indexed=true", "intgPd=1000*",
          "name=rcb1", "rptID=R1*"}},
        // "0" is false to the schema, and so here.
        {"ReportControl: rcb1", {}, "TrgOps", {"dchg=true*", "dupd=true*", "gi=true*", "period=false*", "qchg=false*"}},
        {"ReportControl: rcb1", {}, "RptEnabled", {"max=5"}},
        // A ReportControl without rptID gets an empty one, but no empty datSet: that
        // would break the schema and so refuse every later edit.
        {"ReportControl: rcb2", {}, "ReportControl", {"confRev=3*", "datSet=*", "name=rcb2", "rptID=*"}},
        {"GSEControl: gcb1", {}, "GSEControl",
         {"appID=P1gcb1*", "confRev=1*", "datSet=DS1", "desc=Trips", "name=gcb1", "type=GOOSE"}},
        {"LN: Q1GGIO1", {"LN"}, "LN", {"inst=1", "lnClass=GGIO", "lnType=GGIO_T", "prefix=Q1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.item) + " " + c.section);
        Select(c.item);
        if (!c.sections.empty()) {
            EXPECT_EQ(SectionTitles(), c.sections);
        }
        EXPECT_EQ(Rows(c.section), c.rows);
    }
    Select("ReportControl: rcb2");
    EXPECT_FALSE(HasAttribute("datSet"));
    EXPECT_FALSE(doc.IsModified());

    Select("ReportControl: rcb1");
    EXPECT_EQ(Item("ReportControl", "datSet")->options, (Lines{"", "DS1", "LD0/Q1GGIO1.DS2", "LD1/LLN0.DS3"}));
    xmlSetProp(Selected(), Xml("datSet"), Xml("Missing"));
    logic.Refresh();
    EXPECT_EQ(Shown("ReportControl", "datSet"), "");

    view.Select(nullptr);
    EXPECT_TRUE(grid.Sections().empty());
    EXPECT_EQ(logic.OnItemChanged(0), EditOutcome::Ignored);
}

// One row per P type of an access point's address, editable; a GOOSE address only
// shows its rows.
TEST_F(PropertyViewTest, AddressesShowOneRowPerPType)
{
    LoadText(SclDocument(R"(<Communication><SubNetwork name="N1"><ConnectedAP iedName="P1" apName="AP1"><Address>
        <P type="IP">10.0.0.1</P><P type="IP">10.0.0.2</P><P type="APPID">   </P><P type="VLAN-ID">00A</P>
        </Address><GSE ldInst="LD0" cbName="gcb1"><Address><P type="MAC-Address">01-0C-CD-01-00-01</P>
        <P type="APPID">3001</P></Address></GSE></ConnectedAP></SubNetwork></Communication>)"));
    Select("Address");
    EXPECT_EQ(SectionTitles(), Lines{"Address"});
    EXPECT_EQ(Rows("Address"), (Lines{"IP=10.0.0.1*", "VLAN-ID=00A*"}));
    view.Select(NextItemInPreOrder(Select("GSE")));
    EXPECT_EQ(Rows("Address"), (Lines{"APPID=3001", "MAC-Address=01-0C-CD-01-00-01"}));
}

TEST_F(PropertyViewTest, OtherElementsShowTheirFirstTextAsValue)
{
    xmlDoc* tree = ParseSclText("<Val xmlns=\"http://www.iec.ch/61850/2003/SCL\" sGroup=\"1\">first<!--c-->second</Val>");
    TreeItemRecord record{xmlDocGetRootElement(tree), kKindVal};
    EditTable edits;
    FillPropertyRows(grid, doc, record, edits);
    EXPECT_EQ(Rows("Val"), (Lines{"sGroup=1", "value=first"}));
    EXPECT_TRUE(edits.empty());
    xmlFreeDoc(tree);
}
