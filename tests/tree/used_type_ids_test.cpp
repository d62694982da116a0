#include "tree_fixture.h"

#include "core/command_ids.h"
#include "tree/item_labels.h"

namespace {

using Ids = std::vector<std::string>;

const Ids& List(const UsedTypeIds& ids, TemplateKind kind)
{
    return ids[kind].Ids();
}

}  // namespace

TEST_F(TreeTest, CollectsTypesBelowIedItemsChildrenFirst)
{
    LoadFixture("tree_project.scd");
    UsedTypeIds ids;
    view.CollectUsedTypeIds(ids, nullptr);
    EXPECT_EQ(List(ids, TemplateKind::LNodeType), (Ids{"LLN0T", "XCBRT", "GGIOT"}));
    EXPECT_EQ(List(ids, TemplateKind::DOType), (Ids{"ModT", "DPCT", "SPST"}));
    EXPECT_EQ(List(ids, TemplateKind::DAType), (Ids{"OriginT"}));
    EXPECT_EQ(List(ids, TemplateKind::EnumType), (Ids{"ModKind", "OrCat"}));

    UsedTypeIds withClocks;
    view.CollectUsedTypeIds(withClocks, nullptr, true);
    EXPECT_EQ(List(withClocks, TemplateKind::LNodeType), (Ids{"LLN0T", "XCBRT", "GGIOT", "TSLLN0T"}));
    EXPECT_EQ(List(withClocks, TemplateKind::EnumType), (Ids{"ModKind", "OrCat", "TSHealthKind"}));
}

TEST_F(TreeTest, CollectsFromOneStartItem)
{
    LoadFixture("tree_project.scd");
    UsedTypeIds ids;
    view.CollectUsedTypeIds(ids, Find("IED: P2"));
    EXPECT_EQ(List(ids, TemplateKind::LNodeType), Ids{"GGIOT"});
    EXPECT_EQ(List(ids, TemplateKind::DOType), Ids{"SPST"});
    EXPECT_TRUE(List(ids, TemplateKind::EnumType).empty());

    UsedTypeIds clock;
    view.CollectUsedTypeIds(clock, Find("IED: TS"));
    EXPECT_TRUE(List(clock, TemplateKind::LNodeType).empty());
    view.CollectUsedTypeIds(clock, Find("IED: TS"), true);
    EXPECT_EQ(List(clock, TemplateKind::LNodeType), Ids{"TSLLN0T"});
}

TEST_F(TreeTest, CollectsStructuresNestedInStructures)
{
    Load(R"(<IED name="A"><LN lnClass="X" inst="1" lnType="L"/><LN lnClass="Y" inst="1" lnType="L"/></IED>
<DataTypeTemplates>
  <LNodeType id="L"><DO name="d" type="D"/></LNodeType>
  <DOType id="D"><DA name="s" bType="Struct" type="Outer"/><DA name="n" bType="INT32" type="NotAnEnum"/></DOType>
  <DAType id="Outer"><BDA name="i" bType="Struct" type="Inner"/><BDA name="e" bType="Enum" type="E"/></DAType>
  <DAType id="Inner"><BDA name="e" bType="Enum" type="E"/><BDA name="f" bType="Enum" type="Missing"/></DAType>
  <EnumType id="E"/>
</DataTypeTemplates>)");
    UsedTypeIds ids;
    view.CollectUsedTypeIds(ids, nullptr);
    EXPECT_EQ(List(ids, TemplateKind::LNodeType), Ids{"L"});
    EXPECT_EQ(List(ids, TemplateKind::DOType), Ids{"D"});
    EXPECT_EQ(List(ids, TemplateKind::DAType), (Ids{"Inner", "Outer"}));
    EXPECT_EQ(List(ids, TemplateKind::EnumType), Ids{"E"});
}

// A saved file may hold a real IED with a clock access point: purging its types
// would free the elements its items show.
TEST_F(TreeTest, PurgeKeepsTheTypesOfTimeServers)
{
    LoadFixture("tree_project.scd");
    doc.PurgeUnusedTypes();
    EXPECT_NE(doc.FindLNodeType("TSLLN0T"), nullptr);
    EXPECT_NE(doc.FindDOType("TSHealthT"), nullptr);
    EXPECT_NE(doc.FindEnumType("TSHealthKind"), nullptr);
    EXPECT_EQ(doc.FindDOType("UnusedDOT"), nullptr);
    EXPECT_EQ(doc.FindEnumType("UnusedEnum"), nullptr);
    for (TreeItem* item = view.FirstRootItem(); item; item = NextItemInPreOrder(item))
        EXPECT_EQ(MakeMarkedItemLabel(*view.Record(item)), item->Label());
}

TEST_F(TreeTest, PurgeKeepsTypesOfLogicalNodesOutsideIeds)
{
    Load(R"(<Substation name="S"><LN lnClass="X" inst="1" lnType="L"/></Substation>
<DataTypeTemplates><LNodeType id="L"><DO name="d" type="D"/></LNodeType><DOType id="D"/><DOType id="U"/></DataTypeTemplates>)");
    doc.PurgeUnusedTypes();
    EXPECT_NE(doc.FindLNodeType("L"), nullptr);
    EXPECT_NE(doc.FindDOType("D"), nullptr);
    EXPECT_EQ(doc.FindDOType("U"), nullptr);
}

// Between a new tree in the document and the next build the items are stale: the
// purge must not trust them, and their records are gone.
TEST_F(TreeTest, StaleOrMissingItemsKeepEveryType)
{
    LoadFixture("tree_project.scd");
    view.Select(Find("IED: P1 [I] [G]"));
    LoadDocText(doc, ReadFileText(TestDataPath("tree_project.scd")));
    EXPECT_EQ(view.SelectedRecord(), nullptr);
    EXPECT_FALSE(view.IsCommandEnabled(kCmdDelete));
    doc.PurgeUnusedTypes();
    EXPECT_NE(doc.FindDOType("UnusedDOT"), nullptr);
    view.ReleaseItemRecords(view.FirstRootItem());
    view.DeleteItem(view.FirstRootItem());

    CVarnholtDoc other;
    CVarnholtView unbuilt(other);
    LoadDocText(other, ReadFileText(TestDataPath("tree_project.scd")));
    other.PurgeUnusedTypes();
    EXPECT_NE(other.FindEnumType("UnusedEnum"), nullptr);
}

TEST_F(TreeTest, CyclicTemplatesEndWhereATypeRepeats)
{
    Load(R"(<IED name="A"><LN lnClass="X" inst="1" lnType="L"/></IED>
<DataTypeTemplates>
  <LNodeType id="L"><DO name="d" type="X"/><DO name="s" type="Self"/></LNodeType>
  <DOType id="X"><SDO name="y" type="Y"/><DA name="c" bType="Struct" type="C"/></DOType>
  <DOType id="Y"><SDO name="x" type="X"/></DOType>
  <DOType id="Self"><SDO name="me" type="Self"/></DOType>
  <DAType id="C"><BDA name="again" bType="Struct" type="C"/></DAType>
</DataTypeTemplates>)");
    EXPECT_EQ(Outline(),
              "IED: A\n"
              "  LN: X1\n"
              "    DO: d\n"
              "      SDO: y\n"
              "        SDO: x\n"
              "      DA: c\n"
              "        BDA: again\n"
              "    DO: s\n"
              "      SDO: me\n");
    EXPECT_TRUE(view.IsExpansionComplete());
    doc.PurgeUnusedTypes();
    for (const char* id : {"X", "Y", "Self"}) EXPECT_NE(doc.FindDOType(id), nullptr) << id;
    EXPECT_NE(doc.FindDAType("C"), nullptr);
}

// Ten structures of ten members, chained eight deep, would expand to 10^8 items.
TEST_F(TreeTest, ExponentialTemplatesAreCutAndThenNothingIsPurged)
{
    std::string types;
    for (int level = 0; level < 8; ++level) {
        types += "<DAType id=\"T" + std::to_string(level) + "\">";
        for (int member = 0; member < 10; ++member)
            types += "<BDA name=\"m" + std::to_string(member) + "\" bType=\"Struct\" type=\"T" +
                     std::to_string(level + 1) + "\"/>";
        types += "</DAType>";
    }
    Load(R"(<IED name="A"><LN lnClass="X" inst="1" lnType="L"/><LN lnClass="X" inst="2" lnType="L"/></IED>
<DataTypeTemplates><LNodeType id="L"><DO name="d" type="D"/></LNodeType>
<DOType id="D"><DA name="a" bType="Struct" type="T0"/></DOType>)" + types + R"(<DOType id="U"/></DataTypeTemplates>)");
    EXPECT_FALSE(view.IsExpansionComplete());
    EXPECT_LT(ItemCount(), 250000u);
    EXPECT_EQ(doc.ItemRecordCount(), ItemCount());
    doc.PurgeUnusedTypes();
    EXPECT_NE(doc.FindDOType("U"), nullptr);
}
