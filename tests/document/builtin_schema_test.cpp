// What the program relies on in its built-in SCL schema.
#include "core_fixture.h"
#include "document/varnholt_doc.h"

namespace {

TEST(BuiltInSchema, AcceptsWhatTheProgramWritesRefusesWhatTheEditorMustRollBackAndWritesDefaults)
{
    const std::string project = ReadFileText(TestDataPath("one_ied.scd"));
    CVarnholtDoc doc;
    const std::string header = "<Header id=\"one_ied\" version=\"3\" revision=\"7\"/>";
    const std::string history = "<Header id=\"h\"><History><Hitem version=\"1\" revision=\"1\" when=\"now\"/>";
    const std::string typedIp = "<P type=\"IP\" xsi:type=\"tP_IP\">";
    const std::string ied = project.substr(project.find("  <IED "), project.find("</IED>") + 7 - project.find("  <IED "));
    const struct {
        const char* what;
        std::string from, to;
        bool valid;
    } cases[] = {
        {"root with version and revision", "<SCL ", "<SCL version=\"2003\" revision=\"B\" ", true},
        {"unknown version", "<SCL ", "<SCL version=\"1999\" ", false},
        {"lower-case revision", "<SCL ", "<SCL revision=\"b\" ", false},
        {"Header without id", "<Header id=\"one_ied\"", "<Header", false},
        {"two history entries", header,
         history + "<Hitem version=\"1\" revision=\"2\" when=\"later\" who=\"a\" what=\"b\" why=\"c\"/></History></Header>",
         true},
        {"two history entries of one number", header,
         history + "<Hitem version=\"1\" revision=\"1\" when=\"again\"/></History></Header>", false},
        {"history entry without when", header, history + "<Hitem version=\"1\" revision=\"2\"/></History></Header>",
         false},
        {"two IEDs of one name", "</IED>", "</IED>\n" + ied, false},
        {"LN of a type that does not exist", "lnType=\"GGIO_T\"", "lnType=\"NONE\"", false},
        {"LN of a type of another class", "lnType=\"GGIO_T\"", "lnType=\"LLN0_T\"", false},
        {"DO of a type that does not exist", "type=\"SPS_T\"", "type=\"NONE\"", false},
        {"two datasets of one name", "<DataSet name=\"DS1\">", "<DataSet name=\"DS1\"/><DataSet name=\"DS1\">", false},
        {"GOOSE control block without its dataset", "datSet=\"DS1\" appID", "datSet=\"NONE\" appID", false},
        {"the bit of an input in its desc", "<GSEControl",
         "<Inputs><ExtRef iedName=\"P2\" ldInst=\"LD0\" lnClass=\"GGIO\" lnInst=\"1\" doName=\"Ind1\" daName=\"stVal\" "
         "intAddr=\"NI1\" desc=\"Bit0\"/></Inputs><GSEControl",
         true},
        {"report without rptID", "rptID=\"\"", "", false},
        {"report with rptID and indexed", "rptID=\"\"", "rptID=\"P1/rcb1\" indexed=\"false\"", true},
        {"empty Bay name", "<Bay name=\"B1\"/>", "<Bay name=\"\"/>", false},
        {"address typed by its P", "<P type=\"IP\">", typedIp, true},
        {"IP address out of range", "<P type=\"IP\">192.168.1.11", typedIp + "192.168.1.300", false},
    };
    for (const auto& c : cases) EXPECT_EQ(doc.Validate(ParsedTree(Replaced(project, c.from, c.to)).get()), c.valid) << c.what;

    // Validation writes the defaults the program relies on.
    LoadDocText(doc, project);
    ASSERT_TRUE(doc.Validate(doc.XmlTree()));
    xmlNode* ln0 = ElementAt(doc.Root(), {"IED", "AccessPoint", "Server", "LDevice", "LN0"});
    xmlNode* report = FindChildElement(ln0, "ReportControl");
    xmlNode* trgOps = FindChildElement(report, "TrgOps");
    // (indexed, gi and bufOvfl: in the saved text of each version)
    const std::tuple<xmlNode*, const char*, const char*> defaults[] = {
        {report, "buffered", "false"}, {report, "bufTime", "0"}, {trgOps, "qchg", "false"}, {trgOps, "dchg", "true"},
        {FindChildElement(ln0, "GSEControl"), "type", "GOOSE"},
        {FindChildElement(doc.Root(), "Header"), "nameStructure", "IEDName"},
    };
    for (const auto& [element, attribute, value] : defaults) EXPECT_STREQ(GetAttribute(element, attribute), value) << attribute;

    // One element is checked alone, and only while the document is valid.
    EXPECT_TRUE(doc.ValidateElement(report));
    xmlSetProp(report, Xml("confRev"), Xml("-1"));
    EXPECT_FALSE(doc.ValidateElement(report));
    doc.SetValidFlag(false);
    EXPECT_TRUE(doc.ValidateElement(report));
}

}  // namespace
