#include "document/command_ids.h"
#include "document/xml_access.h"
#include "project_tree/item_labels.h"
#include "tree_fixture.h"

TEST_F(TreeTest, CollectsTypesBelowIedItemsChildrenFirst)
{
    LoadFixture();
    const struct {
        const char* below;  // nullptr: every IED
        bool timeServers;
        TemplateKind kind;
        std::vector<std::string> ids;
    } cases[] = {
        {nullptr, false, TemplateKind::LNodeType, {"LLN0T", "XCBRT", "GGIOT"}},
        {nullptr, false, TemplateKind::DOType, {"ModT", "SubT", "DPCT", "MissingT", "SPST"}},
        {nullptr, false, TemplateKind::DAType, {"InnerT", "OriginT"}},  // nested first
        {nullptr, false, TemplateKind::EnumType, {"ModKind", "OrCat"}},
        {nullptr, true, TemplateKind::LNodeType, {"LLN0T", "XCBRT", "GGIOT", "TSLLN0T"}},
        {"IED: TS", false, TemplateKind::LNodeType, {}},
        {"IED: P2", false, TemplateKind::DOType, {"SPST"}},
    };
    for (const auto& c : cases) {
        UsedTypeIds ids;
        view.CollectUsedTypeIds(ids, c.below ? Find(c.below) : nullptr, c.timeServers);
        EXPECT_EQ(ids[c.kind].Ids(), c.ids) << (c.below ? c.below : "all") << " " << c.timeServers;
    }
}

// A saved file may hold a real IED with a clock access point, or a logical node
// outside any IED: purging their types would free the elements their items show.
// Between a new tree in the document and the next build the items are stale (their
// records gone), and an unbuilt view has none: then every type is kept.
TEST_F(TreeTest, PurgeKeepsEveryTypeThatItemsShow)
{
    LoadFixture();
    AppendXml(NodeOf("Bay: B1"), R"(<LN lnClass="X" inst="1" lnType="Only"/>)");
    AppendXml(doc.TemplatesElement(), R"(<LNodeType id="Only"><DO name="d" type="UnusedDOT"/></LNodeType>)");
    doc.Types().Build(doc.TemplatesElement());
    view.BuildTree();
    doc.PurgeUnusedTypes();
    EXPECT_NE(doc.FindLNodeType("TSLLN0T"), nullptr);
    EXPECT_NE(doc.FindEnumType("TSHealthKind"), nullptr);
    EXPECT_NE(doc.FindDOType("UnusedDOT"), nullptr);
    EXPECT_EQ(doc.FindEnumType("UnusedEnum"), nullptr);
    for (TreeItem* item = view.FirstRootItem(); item; item = NextItemInPreOrder(item))
        EXPECT_EQ(MakeMarkedItemLabel(*view.Record(item)), item->Label());

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

namespace {

// Ten structures of ten members chained eight deep would expand to 10^8 items below
// each of the logical nodes.
std::string FanningProject(const std::string& logicalNodes)
{
    std::string types;
    for (int level = 0; level < 8; ++level) {
        types += "<DAType id=\"T" + std::to_string(level) + "\">";
        for (int member = 0; member < 10; ++member)
            types += "<BDA name=\"m\" bType=\"Struct\" type=\"T" + std::to_string(level + 1) + "\"/>";
        types += "</DAType>";
    }
    return R"(<IED name="A">)" + logicalNodes + R"(</IED><DataTypeTemplates><LNodeType id="L">
<DO name="d" type="D"/></LNodeType><DOType id="D"><DA name="a" bType="Struct" type="T0"/></DOType><DOType id="U"/>)" +
           types + "</DataTypeTemplates>";
}

size_t ElementsOf(const xmlNode* element)
{
    size_t count = 1;
    for (const xmlNode* child : ElementChildren(element)) count += ElementsOf(child);
    return count;
}

}  // namespace

// Expanding the templates ends where a type repeats. Fanning templates are cut: the
// default floor bounds a file of a few kilobytes; with a bound per logical node the IED
// and first LN get 1000 type items, the second LN reaches the tree's limit and the third
// gets its own item only; above the floor the items follow the number of elements in
// the file. A cut tree purges nothing.
TEST_F(TreeTest, TemplateExpansionEndsAtRepeatedTypesAndIsCutWhenItFans)
{
    Load(R"(<IED name="A"><LN lnClass="X" inst="1" lnType="L"/></IED>
<DataTypeTemplates>
  <LNodeType id="L"><DO name="d" type="X"/><DO name="s" type="Self"/></LNodeType>
  <DOType id="X"><SDO name="y" type="Y"/><DA name="c" bType="Struct" type="C"/></DOType>
  <DOType id="Y"><SDO name="x" type="X"/></DOType>
  <DOType id="Self"><SDO name="me" type="Self"/></DOType>
  <DAType id="C"><BDA name="again" bType="Struct" type="C"/></DAType>
</DataTypeTemplates>)");
    EXPECT_EQ(Outline(), "IED: A\n  LN: X1\n    DO: d\n      SDO: y\n        SDO: x\n      DA: c\n"
                         "        BDA: again\n    DO: s\n      SDO: me\n");
    EXPECT_TRUE(view.IsExpansionComplete());
    EXPECT_FALSE(FindTreeCut(view));

    const std::string logicalNodes = FanningProject(R"(<LN lnClass="X" inst="1" lnType="L"/><LN lnClass="X" inst="2" lnType="L"/>
<LN lnClass="X" inst="3" lnType="L"/>)");
    Load(logicalNodes);
    EXPECT_FALSE(view.IsExpansionComplete());
    EXPECT_LE(doc.ItemRecordCount(), ExpansionLimits{}.minimumItems + 1);

    view.SetExpansionLimits({1000, 0, 1500});
    Load(logicalNodes);
    EXPECT_FALSE(view.IsExpansionComplete());
    EXPECT_EQ(CheckedItemCount(), 1501u);
    // Each cut names the first item whose children stop short, and the bound reached.
    const std::string tree = "the data type templates expand to more items than the project tree holds for a file of "
                             "this size";
    const std::pair<const char*, std::string> cuts[] = {
        {nullptr, "IED: A > LN: X1 > DO: d > DA: a: the data of a logical node is limited to 1000 items"},
        {"LN: X2", "IED: A > LN: X2 > DO: d > DA: a: " + tree},
        {"LN: X3", "IED: A > LN: X3: " + tree},
    };
    for (const auto& [top, text] : cuts) {
        std::optional<TreeCut> cut = FindTreeCut(view, top ? Find(top) : nullptr);
        EXPECT_EQ(cut ? cut->Text() : "", "output cut short below " + text);
    }
    doc.PurgeUnusedTypes();
    EXPECT_NE(doc.FindDOType("U"), nullptr);

    view.SetExpansionLimits({SIZE_MAX, 3, 0});
    for (size_t padding : {0, 500}) {
        std::string unseen;
        for (size_t i = 0; i < padding; ++i) unseen += "<x/>";
        Load("<Private>" + unseen + "</Private>" + FanningProject(R"(<LN lnClass="X" inst="1" lnType="L"/>)"));
        EXPECT_EQ(doc.ItemRecordCount(), 3 * ElementsOf(doc.Root()));
    }

    // A chain of types deeper than the expansion follows stops at the item with the type
    // too deep; only the cuts of its own subtree are found below an item.
    std::string chain, where = "IED: A > AccessPoint: Q > LN: X2 > DO: d > DA: a";
    for (int level = 0; level < 40; ++level)
        chain += "<DAType id=\"T" + std::to_string(level) + "\"><BDA name=\"b\" bType=\"Struct\" type=\"T" +
                 std::to_string(level + 1) + "\"/></DAType>";
    for (int level = 0; level < 30; ++level) where += " > BDA: b";
    view.SetExpansionLimits({});
    Load(R"(<IED name="A"><AccessPoint name="P"><LN lnClass="X" inst="1" lnType="F"/></AccessPoint><AccessPoint name="Q">
<LN lnClass="X" inst="2" lnType="L"/></AccessPoint></IED><DataTypeTemplates><LNodeType id="F"><DO name="e"/><DO name="f"/>
</LNodeType><LNodeType id="L"><DO name="d" type="D"/></LNodeType><DOType id="D"><DA name="a" bType="Struct" type="T0"/>
</DOType>)" + chain + "</DataTypeTemplates>");
    EXPECT_FALSE(FindTreeCut(view, Find("LN: X1")));
    std::optional<TreeCut> cut = FindTreeCut(view, Find("AccessPoint: Q"));
    EXPECT_EQ(cut ? cut->Text() : "", "output cut short below " + where + ": the data type templates nest more than 32 "
                                      "levels deep");
    // Elements nested deeper than the build follows, which only a document built in memory
    // holds, in an IED inserted so: below a logical node, also one whose data was cut first,
    // and below an element added later.
    view.SetExpansionLimits({1, 128, 1000000});
    xmlNode* ied = xmlNewChild(doc.Root(), doc.Root()->ns, BAD_CAST "IED", nullptr);
    xmlNode* deep = ied;
    for (int depth = 3; depth < 512; ++depth) deep = xmlNewChild(deep, deep->ns, BAD_CAST "E", nullptr);
    for (const char* type : {"F", ""}) {
        xmlNode* ln = xmlNewChild(deep, deep->ns, BAD_CAST "LN", nullptr);
        xmlSetProp(ln, BAD_CAST "lnClass", BAD_CAST "Y");
        if (*type) xmlSetProp(ln, BAD_CAST "lnType", BAD_CAST type);
        xmlNewChild(ln, ln->ns, BAD_CAST(*type ? "DOI" : "E"), nullptr);
    }
    view.InsertIEDItem(ied, -1);
    xmlNode* added = xmlNewChild(deep, deep->ns, BAD_CAST "E", nullptr);
    xmlNewChild(added, deep->ns, BAD_CAST "E", nullptr);
    view.BuildChildItems(added, Find("LN: Y")->Parent());
    const std::string depth = "the elements nest more than 512 levels deep";
    const std::pair<const TreeItem*, std::string> deepCuts[] = {
        {Find("LN: Y")->NextSibling(), depth}, {Find("LN: Y"), "the data of a logical node is limited to 1 items"},
        {Find("LN: Y")->NextSibling()->NextSibling(), depth}};
    for (const auto& [top, why] : deepCuts) {
        cut = FindTreeCut(view, top);
        EXPECT_EQ(cut ? cut->where + ": " + cut->why : "", PathOf(top) + ": " + why);
    }
}
