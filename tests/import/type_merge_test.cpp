#include "document/core_fixture.h"
#include "document/varnholt_doc.h"
#include "import/type_merge.h"

namespace {

// The `attribute` of every element below `node` that has one, in document order.
std::string ValuesBelow(const xmlNode* node, const char* attribute)
{
    std::string text;
    for (xmlNode* child : ElementChildren(node))
        text += (*GetAttribute(child, attribute) ? " " + std::string(GetAttribute(child, attribute)) : "") +
                ValuesBelow(child, attribute);
    return text;
}

// A project and a file merged into it.
struct Merger {
    explicit Merger(const std::string& projectBody) { LoadDocText(doc, SclDocument(projectBody)); }

    // The merge record as "copied DOType X; shared ...", and after '|' the lnTypes of the
    // file's IED when it has one.
    std::string Merge(const std::string& fileBody, const std::string& iedName = "P2")
    {
        TreePtr file = ParsedTree(SclDocument(fileBody));
        xmlNode* ied = FindChildElement(xmlDocGetRootElement(file.get()), "IED");
        std::string text;
        for (const MergedType& type : MergeDataTypeTemplates(doc, file.get(), ied, iedName))
            text += (text.empty() ? "" : "; ") + DescribeMergedType(type);
        return ied ? text + " |" + ValuesBelow(ied, "lnType") : text;
    }

    // The project's types as "DOType X[what each child refers to or holds], DAType Y".
    std::string Templates() const
    {
        std::string text;
        for (xmlNode* type : ElementChildren(doc.TemplatesElement())) {
            text += (text.empty() ? "" : ", ") + std::string(ElementName(type)) + " " + GetAttribute(type, "id");
            std::string content;
            for (xmlNode* child : ElementChildren(type)) {
                const std::string held = *GetAttribute(child, "type") ? GetAttribute(child, "type") : GetElementText(child);
                if (!held.empty()) content += (content.empty() ? "" : ",") + held;
            }
            if (!content.empty()) text += "[" + content + "]";
            EXPECT_EQ(type->ns, doc.Root()->ns) << text;
        }
        return text;
    }

    CVarnholtDoc doc;
};

const std::string kIED = R"(<IED name="P2"><AccessPoint name="S1"><Server><Authentication/><LDevice inst="LD0">
<LN0 lnClass="LLN0" inst="" lnType="LLN0"/><LN lnClass="GGIO" inst="1" lnType="GGIO"/></LDevice></Server></AccessPoint>
<AccessPoint name="S2"><LN lnClass="LLN0" inst="1" lnType="LLN0"/></AccessPoint></IED>)";

const std::string kBeh = R"(<DataTypeTemplates>
<LNodeType id="LLN0" lnClass="LLN0"><DO name="Beh" type="BehDO"/></LNodeType>
<LNodeType id="GGIO" lnClass="GGIO"><DO name="Ind" type="SPS"/></LNodeType>
<DOType id="BehDO" cdc="ENS"><DA name="stVal" fc="ST" bType="Enum" type="Beh"/></DOType>
<DOType id="SPS" cdc="SPS"><DA name="stVal" fc="ST" bType="BOOLEAN"/></DOType>
<EnumType id="Beh"><EnumVal ord="1">on</EnumVal><EnumVal ord="5">off</EnumVal></EnumType>
</DataTypeTemplates>)";

TEST(TypeMerge, NewTypesAreCopiedEqualOnesSharedAndDifferentOnesRenamedWithTheirReferrers)
{
    const std::string cyclic = R"(<DataTypeTemplates><DOType id="S" cdc="X"><SDO name="me" type="S"/></DOType>
<DAType id="C"><BDA name="d" bType="Struct" type="D"/></DAType><DAType id="D"><BDA name="c" bType="Struct" type="C"/></DAType>
</DataTypeTemplates>)";
    const std::string beh = "LNodeType LLN0[BehDO], LNodeType GGIO[SPS], ";
    const struct {
        const char* what;
        std::string project, file, iedName, record, templates;
    } cases[] = {
        {"new types, in file order, into a project without templates", "<Substation name=\"S\"/>", kIED + kBeh, "P2",
         "copied LNodeType LLN0; copied LNodeType GGIO; copied DOType BehDO; copied DOType SPS; copied EnumType Beh"
         " | LLN0 GGIO LLN0",
         beh + "DOType BehDO[Beh], DOType SPS, EnumType Beh[on,off]"},
        {"an enum renamed up to the logical nodes", kBeh, kIED + Replaced(kBeh, ">off<", ">test<"), "P2",
         "renamed LNodeType LLN0 -> P2.LLN0; shared LNodeType GGIO; renamed DOType BehDO -> P2.BehDO; "
         "shared DOType SPS; renamed EnumType Beh -> P2.Beh | P2.LLN0 GGIO P2.LLN0",
         beh + "LNodeType P2.LLN0[P2.BehDO], DOType BehDO[Beh], DOType SPS, DOType P2.BehDO[P2.Beh], "
               "EnumType Beh[on,off], EnumType P2.Beh[on,test]"},
        {"new ids the project or the file hold",
         R"(<DataTypeTemplates><DOType id="X" cdc="SPS"><DA name="stVal" fc="ST" bType="BOOLEAN"/></DOType>
<DOType id="P1_0.X" cdc="SPS"/></DataTypeTemplates>)",
         R"(<DataTypeTemplates><LNodeType id="L" lnClass="GGIO"><DO name="a" type="X"/><DO name="b" type="P1.X"/></LNodeType>
<DOType id="X" cdc="SPS"><DA name="stVal" fc="ST" bType="INT32"/></DOType>
<DOType id="P1.X" cdc="INS"><DA name="stVal" fc="ST" bType="INT32"/></DOType></DataTypeTemplates>)",
         "P1", "copied LNodeType L; renamed DOType X -> P1_1.X; copied DOType P1.X",
         "LNodeType L[P1_1.X,P1.X], DOType X, DOType P1_0.X, DOType P1_1.X, DOType P1.X"},
        {"types that reach themselves", cyclic, cyclic, "P2",
         "renamed DOType S -> P2.S; renamed DAType C -> P2.C; renamed DAType D -> P2.D",
         "DOType S[S], DOType P2.S[P2.S], DAType C[D], DAType D[C], DAType P2.C[P2.D], DAType P2.D[P2.C]"},
        {"kinds kept in schema order",
         R"(<DataTypeTemplates><LNodeType id="L" lnClass="GGIO"/><DAType id="A"/><EnumType id="E"/></DataTypeTemplates>)",
         R"(<DataTypeTemplates><DOType id="D1" cdc="SPS"/><DOType id="D2" cdc="SPS"/></DataTypeTemplates>)", "P2",
         "copied DOType D1; copied DOType D2", "LNodeType L, DOType D1, DOType D2, DAType A, EnumType E"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Merger project(c.project);
        EXPECT_EQ(project.Merge(c.file, c.iedName), c.record);
        ASSERT_EQ(xmlLastElementChild(project.doc.Root()), project.doc.TemplatesElement());
        EXPECT_EQ(project.doc.TemplatesElement()->ns, project.doc.Root()->ns);
        EXPECT_EQ(project.Templates(), c.templates);
    }
}

TEST(TypeMerge, OnlyDescriptionsAndLayoutMayDifferForATypeToBeSharedAndDeepChainsDiffer)
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

    // A chain of structures far deeper than any model must not exhaust the stack; its
    // head counts as different and is renamed.
    std::string types = "<DataTypeTemplates>";
    for (int i = 0; i < 20000; ++i)
        types += "<DAType id=\"T" + std::to_string(i) + "\"><BDA name=\"n\" bType=\"Struct\" type=\"T" +
                 std::to_string(i + 1) + "\"/></DAType>";
    types += "<DAType id=\"T20000\"><BDA name=\"v\" bType=\"INT32\"/></DAType></DataTypeTemplates>";
    Merger project(types);
    EXPECT_EQ(project.Merge(types).rfind("renamed DAType T0 -> P2.T0; ", 0), 0u);
}

}  // namespace
