// What the program relies on in its built-in SCL schema.
#include "core/embedded_resources.h"
#include "core/varnholt_doc.h"
#include "core/xml_access.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace {

class BuiltInSchema : public ::testing::Test {
protected:
    // one_ied.scd with `from` replaced by `to` (which must occur).
    std::string Variant(const std::string& from, const std::string& to)
    {
        std::string text = ReadFileText(TestDataPath("one_ied.scd"));
        size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        if (at != std::string::npos) text.replace(at, from.size(), to);
        return text;
    }
    bool IsValid(const std::string& text)
    {
        xmlDoc* tree = ParseSclText(text);
        bool valid = doc.Validate(tree);
        xmlFreeDoc(tree);
        return valid;
    }
    CVarnholtDoc doc;
};

TEST_F(BuiltInSchema, RootMayCarryVersionAndRevision)
{
    EXPECT_TRUE(IsValid(Variant("<SCL ", "<SCL version=\"2007\" revision=\"B\" ")));
    EXPECT_FALSE(IsValid(Variant("<SCL ", "<SCL version=\"1999\" ")));
    EXPECT_FALSE(IsValid(Variant("<SCL ", "<SCL revision=\"b\" ")));
}

TEST_F(BuiltInSchema, HeaderAndHistoryRules)
{
    EXPECT_FALSE(IsValid(Variant("<Header id=\"one_ied\"", "<Header")));
    std::string history = "<Header id=\"h\"><History><Hitem version=\"1\" revision=\"1\" when=\"now\"/>%</History></Header>";
    auto withSecond = [&](const std::string& second) {
        std::string header = history;
        header.replace(header.find('%'), 1, second);
        return Variant("<Header id=\"one_ied\" version=\"3\" revision=\"7\"/>", header);
    };
    EXPECT_TRUE(IsValid(withSecond("<Hitem version=\"1\" revision=\"2\" when=\"later\" who=\"a\" what=\"b\" why=\"c\"/>")));
    EXPECT_FALSE(IsValid(withSecond("<Hitem version=\"1\" revision=\"1\" when=\"again\"/>")));
    EXPECT_FALSE(IsValid(withSecond("<Hitem version=\"1\" revision=\"2\"/>")));
}

TEST_F(BuiltInSchema, IdentityConstraints)
{
    // Two IEDs of one name.
    std::string text = ReadFileText(TestDataPath("one_ied.scd"));
    size_t ied = text.find("  <IED name=\"P1\">");
    size_t end = text.find("</IED>") + 7;
    std::string twice = text;
    twice.insert(end, text.substr(ied, end - ied));
    EXPECT_FALSE(IsValid(twice));
    // An LN whose type does not exist, or exists for another class.
    EXPECT_FALSE(IsValid(Variant("lnType=\"GGIO_T\"", "lnType=\"NONE\"")));
    EXPECT_FALSE(IsValid(Variant("lnType=\"GGIO_T\"", "lnType=\"LLN0_T\"")));
    // A DO of a type that does not exist.
    EXPECT_FALSE(IsValid(Variant("type=\"SPS_T\"", "type=\"NONE\"")));
    // Two datasets of one name in one logical node.
    EXPECT_FALSE(IsValid(Variant("<DataSet name=\"DS1\">", "<DataSet name=\"DS1\"/><DataSet name=\"DS1\">")));
    // A GOOSE control block's dataset must exist; a report control block's is not checked.
    EXPECT_FALSE(IsValid(Variant("<GSEControl name=\"gcb1\" datSet=\"DS1\"", "<GSEControl name=\"gcb1\" datSet=\"NONE\"")));
    EXPECT_TRUE(IsValid(Variant("<ReportControl name=\"rcb1\" datSet=\"DS1\"", "<ReportControl name=\"rcb1\" datSet=\"NONE\"")));
}

TEST_F(BuiltInSchema, InputsMayRecordTheirBitInDesc)
{
    const std::string inputs =
        "<Inputs><ExtRef iedName=\"P2\" ldInst=\"LD0\" lnClass=\"GGIO\" lnInst=\"1\" doName=\"Ind1\" "
        "daName=\"stVal\" intAddr=\"NI1\" desc=\"Bit0\"/></Inputs>";
    EXPECT_TRUE(IsValid(Variant("<GSEControl", inputs + "<GSEControl")));
}

TEST_F(BuiltInSchema, ReportControlNeedsAnRptIdThatMayBeEmpty)
{
    EXPECT_FALSE(IsValid(Variant("rptID=\"\"", "")));
    EXPECT_TRUE(IsValid(Variant("rptID=\"\"", "rptID=\"P1/rcb1\" indexed=\"false\"")));
    EXPECT_TRUE(IsValid(Variant("<TrgOps dchg=\"true\"/>", "<TrgOps dchg=\"true\" gi=\"false\"/>")));
    EXPECT_TRUE(IsValid(Variant("<OptFields seqNum=\"true\"/>", "<OptFields seqNum=\"true\" bufOvfl=\"false\"/>")));
}

TEST_F(BuiltInSchema, ValidationWritesTheDefaultsTheProgramReliesOn)
{
    xmlDoc* tree = ParseSclText(ReadFileText(TestDataPath("one_ied.scd")));
    ASSERT_TRUE(doc.Validate(tree));
    xmlNode* ln0 = xmlDocGetRootElement(tree);
    for (const char* name : {"IED", "AccessPoint", "Server", "LDevice", "LN0"}) ln0 = FindChildElement(ln0, name);
    xmlNode* report = FindChildElement(ln0, "ReportControl");
    EXPECT_STREQ(GetAttribute(report, "indexed"), "true");
    EXPECT_STREQ(GetAttribute(report, "buffered"), "false");
    EXPECT_STREQ(GetAttribute(report, "bufTime"), "0");
    xmlNode* trgOps = FindChildElement(report, "TrgOps");
    EXPECT_STREQ(GetAttribute(trgOps, "gi"), "true");
    for (const char* option : {"qchg", "dupd", "period"}) EXPECT_STREQ(GetAttribute(trgOps, option), "false");
    EXPECT_STREQ(GetAttribute(trgOps, "dchg"), "true");
    EXPECT_STREQ(GetAttribute(FindChildElement(report, "OptFields"), "bufOvfl"), "true");
    EXPECT_STREQ(GetAttribute(FindChildElement(ln0, "GSEControl"), "type"), "GOOSE");
    xmlNode* header = FindChildElement(xmlDocGetRootElement(tree), "Header");
    EXPECT_STREQ(GetAttribute(header, "nameStructure"), "IEDName");
    xmlFreeDoc(tree);
}

TEST_F(BuiltInSchema, RefusesWhatThePropertyEditorMustRollBack)
{
    EXPECT_FALSE(IsValid(Variant("<Bay name=\"B1\"/>", "<Bay name=\"\"/>")));
    EXPECT_FALSE(IsValid(Variant("rptID=\"\" confRev=\"1\"", "rptID=\"\" confRev=\"-1\"")));
    EXPECT_FALSE(IsValid(Variant("rptID=\"\"", "rptID=\"\" bufTime=\"-5\"")));
    EXPECT_FALSE(IsValid(Variant("rptID=\"\"", "rptID=\"\" intgPd=\"-5\"")));
    // Addresses are checked by the type their P element names.
    const std::string typedIp = "<P type=\"IP\" xsi:type=\"tP_IP\">";
    EXPECT_TRUE(IsValid(Variant("<P type=\"IP\">", typedIp)));
    EXPECT_FALSE(IsValid(Variant("<P type=\"IP\">192.168.1.11", typedIp + "192.168.1.300")));
    EXPECT_FALSE(IsValid(Variant("<P type=\"IP\">192.168.1.11", typedIp + "192.168.1")));
}

TEST_F(BuiltInSchema, ValidateElementChecksOneElementOnlyWhileTheDocumentIsValid)
{
    LoadDocText(doc, ReadFileText(TestDataPath("one_ied.scd")));
    xmlNode* bay = doc.Root();
    for (const char* name : {"Substation", "VoltageLevel", "Bay"}) bay = FindChildElement(bay, name);
    EXPECT_TRUE(doc.ValidateElement(bay));
    xmlSetProp(bay, Xml("name"), Xml(""));
    EXPECT_FALSE(doc.ValidateElement(bay));
    xmlSetProp(bay, Xml("name"), Xml("B2"));
    EXPECT_TRUE(doc.ValidateElement(bay));
    xmlNode* report = FindChildElement(doc.Root(), "IED");
    for (const char* name : {"AccessPoint", "Server", "LDevice", "LN0", "ReportControl"})
        report = FindChildElement(report, name);
    EXPECT_TRUE(doc.ValidateElement(report));
    xmlSetProp(report, Xml("confRev"), Xml("-1"));
    EXPECT_FALSE(doc.ValidateElement(report));
    xmlSetProp(bay, Xml("name"), Xml(""));
    doc.SetValidFlag(false);
    EXPECT_TRUE(doc.ValidateElement(bay));
}

}  // namespace
