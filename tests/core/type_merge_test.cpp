#include "core/type_merge.h"
#include "core/varnholt_doc.h"
#include "core_fixture.h"

namespace {

// The project with one or more files merged into it; the files are freed at the end.
struct Merger {
    explicit Merger(const std::string& projectBody) { LoadDocText(doc, SclDocument(projectBody)); }
    ~Merger()
    {
        for (xmlDoc* file : files) xmlFreeDoc(file);
    }

    // The merge record as "copied DOType X; shared ...".
    std::string Merge(const std::string& fileBody, const std::string& iedName = "P2")
    {
        xmlDoc* file = ParseSclText(SclDocument(fileBody));
        files.push_back(file);
        ied = FindChildElement(xmlDocGetRootElement(file), "IED");
        std::string text;
        for (const MergedType& type : MergeDataTypeTemplates(doc, file, ied, iedName))
            text += (text.empty() ? "" : "; ") + DescribeMergedType(type);
        return text;
    }

    // The children of the project's DataTypeTemplates as "DOType X, DAType Y".
    std::string Templates() const
    {
        std::string text;
        for (xmlNode* type : ElementChildren(doc.TemplatesElement()))
            text += (text.empty() ? "" : ", ") + std::string(ElementName(type)) + " " + GetAttribute(type, "id");
        return text;
    }

    CVarnholtDoc doc;
    std::vector<xmlDoc*> files;
    xmlNode* ied = nullptr;
};

// The lnType of every element below `node` that has one, in document order.
std::string LnTypes(const xmlNode* node)
{
    std::string text;
    for (xmlNode* child : ElementChildren(node)) {
        if (*GetAttribute(child, "lnType")) text += std::string(GetAttribute(child, "lnType")) + " ";
        text += LnTypes(child);
    }
    return text;
}

const char* ChildAttribute(const xmlNode* type, const char* child, const char* attribute)
{
    return GetAttribute(FindChildElement(type, child), attribute);
}

const std::string kIED = R"(<IED name="P2"><AccessPoint name="S1"><Server><Authentication/><LDevice inst="LD0">
<LN0 lnClass="LLN0" inst="" lnType="LLN0"/><LN lnClass="GGIO" inst="1" lnType="GGIO"/></LDevice></Server></AccessPoint>
<AccessPoint name="S2"><LN lnClass="LLN0" inst="1" lnType="LLN0"/></AccessPoint></IED>)";

std::string BehTemplates(const std::string& offText)
{
    return R"(<DataTypeTemplates>
<LNodeType id="LLN0" lnClass="LLN0"><DO name="Beh" type="BehDO"/></LNodeType>
<LNodeType id="GGIO" lnClass="GGIO"><DO name="Ind" type="SPS"/></LNodeType>
<DOType id="BehDO" cdc="ENS"><DA name="stVal" fc="ST" bType="Enum" type="Beh"/></DOType>
<DOType id="SPS" cdc="SPS"><DA name="stVal" fc="ST" bType="BOOLEAN"/></DOType>
<EnumType id="Beh"><EnumVal ord="1">on</EnumVal><EnumVal ord="5">)" +
           offText + "</EnumVal></EnumType>\n</DataTypeTemplates>";
}

TEST(TypeMerge, NewTypesAreCopiedInFileOrderAndAMergeRepeatedSharesThem)
{
    Merger project("<DataTypeTemplates/>");
    const std::string file = kIED + BehTemplates("off");
    const std::string all = "LNodeType LLN0, LNodeType GGIO, DOType BehDO, DOType SPS, EnumType Beh";
    EXPECT_EQ(project.Merge(file), "copied LNodeType LLN0; copied LNodeType GGIO; copied DOType BehDO; "
                                   "copied DOType SPS; copied EnumType Beh");
    EXPECT_EQ(project.Templates(), all);
    EXPECT_EQ(LnTypes(project.ied), "LLN0 GGIO LLN0 ");

    EXPECT_EQ(project.Merge(file), "shared LNodeType LLN0; shared LNodeType GGIO; shared DOType BehDO; "
                                   "shared DOType SPS; shared EnumType Beh");
    EXPECT_EQ(project.Templates(), all);
}

TEST(TypeMerge, ARenamedEnumTypeRenamesItsReferrersUpToTheLogicalNodes)
{
    struct Case {
        std::string projectExtra, newBeh;
    } cases[] = {{"", "P2.Beh"}, {R"(<EnumType id="P2.Beh"/>)", "P2_0.Beh"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.newBeh);
        std::string projectTypes = BehTemplates("off");
        projectTypes.insert(projectTypes.find("</DataTypeTemplates>"), c.projectExtra);
        Merger project(projectTypes);
        EXPECT_EQ(project.Merge(kIED + BehTemplates("test")),
                  "renamed LNodeType LLN0 -> P2.LLN0; shared LNodeType GGIO; renamed DOType BehDO -> P2.BehDO; "
                  "shared DOType SPS; renamed EnumType Beh -> " + c.newBeh);
        EXPECT_EQ(project.Templates(), "LNodeType LLN0, LNodeType GGIO, LNodeType P2.LLN0, DOType BehDO, DOType SPS, "
                                       "DOType P2.BehDO, EnumType Beh, " +
                                           std::string(c.projectExtra.empty() ? "" : "EnumType P2.Beh, ") +
                                           "EnumType " + c.newBeh);
        EXPECT_EQ(LnTypes(project.ied), "P2.LLN0 GGIO P2.LLN0 ");
        EXPECT_STREQ(ChildAttribute(project.doc.FindLNodeType("P2.LLN0"), "DO", "type"), "P2.BehDO");
        EXPECT_STREQ(ChildAttribute(project.doc.FindDOType("P2.BehDO"), "DA", "type"), c.newBeh.c_str());
        EXPECT_STREQ(ChildAttribute(project.doc.FindDOType("BehDO"), "DA", "type"), "Beh");
        EXPECT_EQ(GetElementText(xmlLastElementChild(project.doc.FindEnumType(c.newBeh))), "test");
    }
}

TEST(TypeMerge, OnlyDescriptionsAndLayoutMayDifferForATypeToBeShared)
{
    const std::string base = R"(<DataTypeTemplates>
<DOType id="T" cdc="SPC" desc="project"><DA name="ctlModel" fc="CF" bType="Enum" type="CM" valKind="RO" dchg="true" sAddr="a1"><Val sGroup="1">status-only</Val></DA></DOType>
<EnumType id="CM"><EnumVal ord="0">status-only</EnumVal></EnumType></DataTypeTemplates>)";
    const std::string shared = "shared DOType T; shared EnumType CM";
    const std::string renamed = "renamed DOType T -> P2.T; shared EnumType CM";
    struct Case {
        const char *what, *from, *to;
        std::string expected;
    } cases[] = {
        {"desc of the type", R"(desc="project")", R"(desc="file")", shared},
        {"desc of a data attribute", R"(name="ctlModel")", R"(name="ctlModel" desc="file")", shared},
        {"iedType of the type", R"(cdc="SPC")", R"(cdc="SPC" iedType="other")", shared},
        {"white space between elements", "<Val ", "\n    <Val ", shared},
        {"valKind", R"(valKind="RO")", R"(valKind="Set")", renamed},
        {"a trigger option missing", R"( dchg="true")", "", renamed},
        {"a trigger option more", R"( sAddr)", R"( qchg="true" sAddr)", renamed},
        {"sAddr", R"(sAddr="a1")", R"(sAddr="a2")", renamed},
        {"Val text", ">status-only</Val>", ">sbo-with-normal-security</Val>", renamed},
        {"Val sGroup", R"(sGroup="1")", R"(sGroup="2")", renamed},
        {"one more EnumVal", "</EnumType>", R"(<EnumVal ord="1">direct</EnumVal></EnumType>)",
         "renamed DOType T -> P2.T; renamed EnumType CM -> P2.CM"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Merger project(base);
        EXPECT_EQ(project.Merge(Replaced(base, c.from, c.to)), c.expected);
        EXPECT_STREQ(GetAttribute(project.doc.FindDOType("T"), "desc"), "project");
    }
}

TEST(TypeMerge, ARenamingAvoidsIdsOfTheFileItself)
{
    Merger project(R"(<DataTypeTemplates><DOType id="X" cdc="SPS"><DA name="stVal" fc="ST" bType="BOOLEAN"/></DOType>
</DataTypeTemplates>)");
    EXPECT_EQ(project.Merge(R"(<DataTypeTemplates>
<LNodeType id="L" lnClass="GGIO"><DO name="a" type="X"/><DO name="b" type="P1.X"/></LNodeType>
<DOType id="X" cdc="SPS"><DA name="stVal" fc="ST" bType="INT32"/></DOType>
<DOType id="P1.X" cdc="INS"><DA name="stVal" fc="ST" bType="INT32"/></DOType></DataTypeTemplates>)",
                            "P1"),
              "copied LNodeType L; renamed DOType X -> P1_0.X; copied DOType P1.X");
    EXPECT_EQ(project.Templates(), "LNodeType L, DOType X, DOType P1_0.X, DOType P1.X");
    xmlNode* copy = project.doc.FindLNodeType("L");
    EXPECT_STREQ(GetAttribute(xmlFirstElementChild(copy), "type"), "P1_0.X");
    EXPECT_STREQ(GetAttribute(xmlLastElementChild(copy), "type"), "P1.X");
}

TEST(TypeMerge, TypesThatReachThemselvesAreRenamedWithTheirOwnReferences)
{
    const std::string types = R"(<DataTypeTemplates><DOType id="S" cdc="X"><SDO name="me" type="S"/></DOType>
<DAType id="C"><BDA name="d" bType="Struct" type="D"/></DAType><DAType id="D"><BDA name="c" bType="Struct" type="C"/></DAType>
</DataTypeTemplates>)";
    Merger project(types);
    EXPECT_EQ(project.Merge(types), "renamed DOType S -> P2.S; renamed DAType C -> P2.C; renamed DAType D -> P2.D");
    EXPECT_STREQ(ChildAttribute(project.doc.FindDOType("P2.S"), "SDO", "type"), "P2.S");
    EXPECT_STREQ(ChildAttribute(project.doc.FindDAType("P2.C"), "BDA", "type"), "P2.D");
    EXPECT_STREQ(ChildAttribute(project.doc.FindDAType("P2.D"), "BDA", "type"), "P2.C");
}

// A chain of structures far deeper than any model must not exhaust the stack; its
// head counts as different and is renamed.
TEST(TypeMerge, AHostileChainOfTypesEndsTheComparison)
{
    std::string types = "<DataTypeTemplates>";
    for (int i = 0; i < 20000; ++i)
        types += "<DAType id=\"T" + std::to_string(i) + "\"><BDA name=\"n\" bType=\"Struct\" type=\"T" +
                 std::to_string(i + 1) + "\"/></DAType>";
    types += "<DAType id=\"T20000\"><BDA name=\"v\" bType=\"INT32\"/></DAType></DataTypeTemplates>";
    Merger project(types);
    EXPECT_EQ(project.Merge(types).rfind("renamed DAType T0 -> P2.T0; ", 0), 0u);
}

TEST(TypeMerge, CopiesKeepTheKindsInSchemaOrder)
{
    Merger project(R"(<DataTypeTemplates><LNodeType id="L" lnClass="GGIO"/><DAType id="A"/><EnumType id="E"/>
</DataTypeTemplates>)");
    EXPECT_EQ(project.Merge(R"(<DataTypeTemplates><DOType id="D1" cdc="SPS"/><DOType id="D2" cdc="SPS"/>
</DataTypeTemplates>)"),
              "copied DOType D1; copied DOType D2");
    EXPECT_EQ(project.Templates(), "LNodeType L, DOType D1, DOType D2, DAType A, EnumType E");

    Merger bare("<Substation name=\"S\"/>");
    EXPECT_EQ(bare.Merge(R"(<DataTypeTemplates><EnumType id="E"/><LNodeType id="L" lnClass="GGIO"/></DataTypeTemplates>)"),
              "copied EnumType E; copied LNodeType L");
    xmlNode* templates = xmlLastElementChild(bare.doc.Root());
    ASSERT_EQ(templates, bare.doc.TemplatesElement());
    EXPECT_EQ(templates->ns, bare.doc.Root()->ns);
    EXPECT_EQ(bare.Templates(), "LNodeType L, EnumType E");
}

}  // namespace
