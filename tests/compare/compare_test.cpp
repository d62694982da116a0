// Two SCL documents compared element by element: each row is a pair of small documents
// and the lines of their differences.
#include "compare/document_compare.h"
#include "document/schema_defaults.h"
#include "document/scl_edition.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using TreePtr = std::unique_ptr<xmlDoc, void (*)(xmlDoc*)>;

TreePtr Parsed(const std::string& text) { return TreePtr(ParseSclText(text), xmlFreeDoc); }

std::vector<std::string> Lines(const std::vector<Difference>& differences)
{
    std::vector<std::string> lines;
    for (const Difference& difference : differences) lines.push_back(DifferenceLine(difference));
    return lines;
}

CompareOptions Defaults(bool header = false)
{
    CompareOptions options;
    options.header = header;
    options.defaultsA = options.defaultsB = &SchemaDefaults::For(SclEdition::Ed2003);
    return options;
}

std::string Ied(const std::string& name, const std::string& ln0, const std::string& lns = "",
                const std::string& attributes = "")
{
    return "<IED name=\"" + name + "\"" + attributes + "><AccessPoint name=\"AP1\"><Server><LDevice inst=\"LD0\">" +
           "<LN0 lnClass=\"LLN0\" inst=\"\" lnType=\"L0\">" + ln0 + "</LN0>" + lns +
           "</LDevice></Server></AccessPoint></IED>";
}

const std::string kGgio = "<LN lnClass=\"GGIO\" inst=\"1\" lnType=\"G\"><DOI name=\"Ind1\"><DAI name=\"stVal\">"
                          "<Val>true</Val></DAI></DOI></LN>";

std::string DataSet(const std::string& members)
{
    return "<DataSet name=\"DS1\">" + members + "</DataSet>";
}

std::string Fcda(const char* doName)
{
    return std::string("<FCDA ldInst=\"LD0\" lnClass=\"GGIO\" lnInst=\"1\" doName=\"") + doName + "\" fc=\"ST\"/>";
}

TEST(CompareDocuments, ElementsAreMatchedByTheirSclIdentity)
{
    const std::string p1 = Ied("P1", "", kGgio);
    const struct {
        const char* what;
        std::string a, b;
        std::vector<std::string> lines;
        bool header = false;
    } rows[] = {
        {"itself", p1, p1, {}},
        {"attributes in another order, other blanks, IEDs in another order",
         "<IED name=\"P2\" desc=\"x\" type=\"t\"/>" + p1, p1 + "\n  <IED   type=\"t\"\n desc=\"x\" name=\"P2\" />", {}},
        {"an IED renamed: one line each, not one per descendant", p1, Ied("P9", "", kGgio),
         {"- IED[P1]", "+ IED[P9]"}},
        {"an attribute changed, added and taken away", "<IED name=\"P1\" desc=\"a\" type=\"t\"/>",
         "<IED name=\"P1\" desc=\"b\" manufacturer=\"m\"/>",
         {"~ IED[P1]: desc: a -> b", "~ IED[P1]: manufacturer: (none) -> m", "~ IED[P1]: type: t -> (none)"}},
        {"a logical node by prefix, class and instance", p1,
         Ied("P1", "", "<LN prefix=\"X\" lnClass=\"GGIO\" inst=\"1\" lnType=\"G\"/>"),
         {"- IED[P1]/AccessPoint[AP1]/Server/LDevice[LD0]/LN[GGIO1]",
          "+ IED[P1]/AccessPoint[AP1]/Server/LDevice[LD0]/LN[XGGIO1]"}},
        {"a value of a DAI, and a second one",
         p1, Ied("P1", "", "<LN lnClass=\"GGIO\" inst=\"1\" lnType=\"G\"><DOI name=\"Ind1\"><DAI name=\"stVal\">"
                           "<Val>false</Val><Val>true</Val></DAI></DOI></LN>"),
         {"~ IED[P1]/AccessPoint[AP1]/Server/LDevice[LD0]/LN[GGIO1]/DOI[Ind1]/DAI[stVal]/Val: text: true -> false",
          "+ IED[P1]/AccessPoint[AP1]/Server/LDevice[LD0]/LN[GGIO1]/DOI[Ind1]/DAI[stVal]/Val[2]"}},
        {"an SDI by its ix", Ied("P1", "", "<LN lnClass=\"GGIO\" inst=\"1\" lnType=\"G\"><DOI name=\"A\"><SDI "
                                           "name=\"p\" ix=\"1\"/><SDI name=\"p\" ix=\"2\"/></DOI></LN>"),
         Ied("P1", "", "<LN lnClass=\"GGIO\" inst=\"1\" lnType=\"G\"><DOI name=\"A\"><SDI name=\"p\" ix=\"2\"/></DOI>"
                       "</LN>"),
         {"- IED[P1]/AccessPoint[AP1]/Server/LDevice[LD0]/LN[GGIO1]/DOI[A]/SDI[p ix=1]"}},
        {"a dataset member moved: the members after it move too",
         Ied("P1", DataSet(Fcda("Ind1") + Fcda("Ind2") + Fcda("Ind3"))),
         Ied("P1", DataSet(Fcda("Ind2") + Fcda("Ind1") + Fcda("Ind3"))),
         {"~ IED[P1]/AccessPoint[AP1]/Server/LDevice[LD0]/LN0[LLN0]/DataSet[DS1]/FCDA[LD0/GGIO1.Ind1 ST]: position: "
          "1 -> 2",
          "~ IED[P1]/AccessPoint[AP1]/Server/LDevice[LD0]/LN0[LLN0]/DataSet[DS1]/FCDA[LD0/GGIO1.Ind2 ST]: position: "
          "2 -> 1"}},
        {"inputs by their place",
         Ied("P1", "<Inputs><ExtRef iedName=\"P2\" doName=\"A\"/></Inputs>"),
         Ied("P1", "<Inputs><ExtRef iedName=\"P2\" doName=\"B\"/><ExtRef iedName=\"P2\" doName=\"A\"/></Inputs>"),
         {"~ IED[P1]/AccessPoint[AP1]/Server/LDevice[LD0]/LN0[LLN0]/Inputs/ExtRef[1]: doName: A -> B",
          "+ IED[P1]/AccessPoint[AP1]/Server/LDevice[LD0]/LN0[LLN0]/Inputs/ExtRef[2]"}},
        {"the addresses of the communication",
         "<Communication><SubNetwork name=\"N1\"><ConnectedAP iedName=\"P1\" apName=\"AP1\"><Address>"
         "<P type=\"IP\">10.0.0.1</P><P type=\"IP-SUBNET\">255.0.0.0</P></Address><GSE ldInst=\"LD0\" cbName=\"G1\"/>"
         "</ConnectedAP></SubNetwork></Communication>",
         "<Communication><SubNetwork name=\"N1\"><ConnectedAP iedName=\"P1\" apName=\"AP1\"><Address>"
         "<P type=\"IP-SUBNET\">255.0.0.0</P><P type=\"IP\">10.0.0.2</P></Address><GSE ldInst=\"LD0\" cbName=\"G2\"/>"
         "</ConnectedAP></SubNetwork></Communication>",
         {"~ Communication/SubNetwork[N1]/ConnectedAP[P1/AP1]/Address/P[IP]: text: 10.0.0.1 -> 10.0.0.2",
          "- Communication/SubNetwork[N1]/ConnectedAP[P1/AP1]/GSE[LD0/G1]",
          "+ Communication/SubNetwork[N1]/ConnectedAP[P1/AP1]/GSE[LD0/G2]"}},
        {"templates by id, enumeration values by ord, a left-out attribute at its default",
         "<DataTypeTemplates><DOType id=\"D\" cdc=\"SPS\"><DA name=\"stVal\" bType=\"BOOLEAN\" fc=\"ST\"/></DOType>"
         "<EnumType id=\"E\"><EnumVal ord=\"1\">on</EnumVal></EnumType></DataTypeTemplates>",
         "<DataTypeTemplates><DOType id=\"D\" cdc=\"SPS\"><DA name=\"stVal\" bType=\"BOOLEAN\" fc=\"ST\" "
         "dchg=\"false\" valKind=\"Set\" qchg=\"true\"/></DOType><EnumType id=\"E\"><EnumVal ord=\"1\">off</EnumVal>"
         "</EnumType></DataTypeTemplates>",
         {"~ DataTypeTemplates/DOType[D]/DA[stVal]: qchg: (none) -> true",
          "~ DataTypeTemplates/EnumType[E]/EnumVal[1]: text: on -> off"}},
        {"the substation by names, a control block by name",
         "<Substation name=\"S1\"><VoltageLevel name=\"V1\"><Bay name=\"B1\"/><Bay name=\"B2\"/></VoltageLevel>"
         "</Substation>" + Ied("P1", "<ReportControl name=\"R1\" datSet=\"DS1\"/>"),
         "<Substation name=\"S1\"><VoltageLevel name=\"V1\"><Bay name=\"B2\"/><Bay name=\"B1\" desc=\"d\"/>"
         "</VoltageLevel></Substation>" + Ied("P1", "<ReportControl name=\"R1\" datSet=\"DS2\"/>"),
         {"~ Substation[S1]/VoltageLevel[V1]/Bay[B1]: desc: (none) -> d",
          "~ IED[P1]/AccessPoint[AP1]/Server/LDevice[LD0]/LN0[LLN0]/ReportControl[R1]: datSet: DS1 -> DS2"}},
        {"an attribute of a namespace is another attribute",
         "<IED name=\"P1\" xmlns:e=\"urn:e\" e:note=\"1\"/>", "<IED name=\"P1\" xmlns:e=\"urn:e\" note=\"1\"/>",
         {"~ IED[P1]: note: (none) -> 1", "~ IED[P1]: {urn:e}note: 1 -> (none)"}},
        {"elements of one identity matched in order",
         Ied("P1", "", "<LN lnClass=\"GGIO\" inst=\"1\" lnType=\"G\" desc=\"a\"/><LN lnClass=\"GGIO\" inst=\"1\" "
                       "lnType=\"G\" desc=\"b\"/>"),
         Ied("P1", "", "<LN lnClass=\"GGIO\" inst=\"1\" lnType=\"G\" desc=\"a\"/><LN lnClass=\"GGIO\" inst=\"1\" "
                       "lnType=\"G\" desc=\"c\"/>"),
         {"~ IED[P1]/AccessPoint[AP1]/Server/LDevice[LD0]/LN[GGIO1]: desc: b -> c"}},
        {"the Header only when asked", "<Header id=\"a\"/>" + p1, "<Header id=\"b\"/>" + p1, {}},
        {"the Header when asked", "<Header id=\"a\"/>" + p1, "<Header id=\"b\"/>" + p1,
         {"~ Header[2]: id: a -> b"}, true},  // the second Header: every test document has one
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        TreePtr a = Parsed(SclDocument(row.a)), b = Parsed(SclDocument(row.b));
        EXPECT_EQ(Lines(CompareDocuments(xmlDocGetRootElement(a.get()), xmlDocGetRootElement(b.get()),
                                         Defaults(row.header))),
                  row.lines);
    }
}

TEST(CompareDocuments, NamespacePrefixesAreNoDifference)
{
    TreePtr a = Parsed(SclDocument(Ied("P1", "", kGgio)));
    std::string prefixed = XmlText(a.get());
    prefixed.replace(prefixed.find("xmlns="), 6, "xmlns:scl=");
    for (size_t at = prefixed.find('<'); at != std::string::npos; at = prefixed.find('<', at + 1))
        if (prefixed[at + 1] != '?' && prefixed[at + 1] != '!')
            prefixed.insert(at + (prefixed[at + 1] == '/' ? 2 : 1), "scl:");
    TreePtr b = Parsed(prefixed);
    ASSERT_TRUE(b) << prefixed;
    EXPECT_EQ(Lines(CompareDocuments(xmlDocGetRootElement(a.get()), xmlDocGetRootElement(b.get()), Defaults())),
              std::vector<std::string>{});
}

// One IED against a maker's file: the templates it uses are compared by content, so a
// renamed template with the same content is no difference, and one whose content differs
// is compared under its own path.
TEST(CompareIEDs, TemplatesAreComparedByContent)
{
    const auto templates = [](const std::string& lnType, const std::string& doType, const char* fc) {
        return "<DataTypeTemplates><LNodeType id=\"" + lnType + "\" lnClass=\"GGIO\"><DO name=\"Ind1\" type=\"" +
               doType + "\"/></LNodeType><DOType id=\"" + doType +
               "\" cdc=\"SPS\"><DA name=\"stVal\" bType=\"BOOLEAN\" fc=\"" + fc + "\"/></DOType></DataTypeTemplates>";
    };
    const auto ied = [](const std::string& name, const std::string& lnType) {
        return Ied(name, "", "<LN lnClass=\"GGIO\" inst=\"1\" lnType=\"" + lnType + "\"/><LN lnClass=\"GGIO\" "
                             "inst=\"2\" lnType=\"" + lnType + "\"/>");
    };
    const struct {
        const char* what;
        std::string a, b;
        std::vector<std::string> lines;
    } rows[] = {
        {"templates renamed, content equal, the IED renamed in the file", ied("P1", "G") + templates("G", "D", "ST"),
         ied("TEMPLATE", "X_G") + templates("X_G", "X_D", "ST"), {}},
        {"a template that differs two levels down", ied("P1", "G") + templates("G", "D", "ST"),
         ied("P1", "G2") + templates("G2", "D2", "MX"),
         {"~ IED[P1]/AccessPoint[AP1]/Server/LDevice[LD0]/LN[GGIO1]: lnType: G -> G2",
          "~ IED[P1]/AccessPoint[AP1]/Server/LDevice[LD0]/LN[GGIO2]: lnType: G -> G2",
          "~ LNodeType[G]/DO[Ind1]: type: D -> D2", "~ DOType[D]/DA[stVal]: fc: ST -> MX"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        TreePtr a = Parsed(SclDocument(row.a)), b = Parsed(SclDocument(row.b));
        std::vector<Difference> differences;
        std::string error;
        ASSERT_TRUE(CompareIEDs(xmlDocGetRootElement(a.get()), xmlDocGetRootElement(b.get()), "P1", Defaults(),
                                differences, error))
            << error;
        EXPECT_EQ(Lines(differences), row.lines);
    }
}

}  // namespace
