#include "datasets/variables_export.h"

#include "core/varnholt_doc.h"
#include "support/test_support.h"
#include "tree/varnholt_view.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

const char* const kTemplates = R"(
  <DataTypeTemplates>
    <LNodeType id="LLN0_T" lnClass="LLN0"><DO name="Mod" type="INC_T"/></LNodeType>
    <LNodeType id="GGIO_T" lnClass="GGIO"><DO name="SPCSO1" type="SPC_T"/><DO name="Beh" type="ENC_T"/></LNodeType>
    <DOType id="INC_T" cdc="INC"><DA name="stVal" fc="ST" bType="INT32"/></DOType>
    <DOType id="SPC_T" cdc="SPC">
      <DA name="stVal" fc="ST" bType="BOOLEAN"/>
      <DA name="SBO" fc="CO" bType="VisString129"/>
      <DA name="oper" fc="CO" bType="BOOLEAN"/>
    </DOType>
    <DOType id="ENC_T" cdc="ENC">
      <SDO name="sub" type="SUB_T"/>
      <DA name="ctl" fc="CO" bType="Struct" type="CTL_T"/>
    </DOType>
    <DOType id="SUB_T" cdc="SPC"><DA name="Oper" fc="CO" bType="BOOLEAN"/></DOType>
    <DAType id="CTL_T"><BDA name="Oper" bType="BOOLEAN"/></DAType>
  </DataTypeTemplates>)";

class VariablesExportTest : public ::testing::Test {
protected:
    CVarnholtDoc doc;
    CVarnholtView view{doc};

    Lines Collect(const std::string& text)
    {
        LoadDocText(doc, text, false);
        view.OnInitialUpdate();
        return CollectVariableLines(view);
    }
    // One IED with one logical device LD holding `ln0` and an LN GGIO1 holding `ln`.
    static std::string Ied(const std::string& name, const std::string& ln0, const std::string& ln = "",
                           const std::string& accessPoint = "")
    {
        return "<IED name=\"" + name + "\"><AccessPoint name=\"AP1\"" + accessPoint +
               "><Server><Authentication/><LDevice inst=\"LD\">"
               "<LN0 lnClass=\"LLN0\" inst=\"\" lnType=\"LLN0_T\">" + ln0 +
               "</LN0><LN lnClass=\"GGIO\" inst=\"1\" lnType=\"GGIO_T\">" + ln +
               "</LN></LDevice></Server></AccessPoint></IED>";
    }
    Lines CollectIeds(const std::string& ieds) { return Collect(SclDocument(ieds + kTemplates)); }
};

TEST_F(VariablesExportTest, WorkedExampleGivesItsLinesInOrderEachEndedByCrLf)
{
    const Lines lines = Collect(ReadFileText(TestDataPath("variables_example.scd")));
    const Lines expected = {
        "E1CTRL/LLN0$Events",         "E1CTRL/Q0XCBR1$ST$Pos",       "E1CTRL/LLN0$RP$urcbA",
        "E1CTRL/Q0CSWI1$CO$Pos$Oper", "E1CTRL/Q0CSWI1$CO$Pos$SBOw", "E1CTRL/Q0CSWI1$CO$Pos$Cancel",
    };
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(VariablesFileText({"a", "b"}), "a\r\nb\r\n");
}

// Reports are buffered only for "true" or "1"; a member is listed once per IED element,
// its dotted paths with "$"; a time server gives nothing; IEDs follow document order,
// and a second IED element of the same name is found as the first and listed again.
TEST_F(VariablesExportTest, ReportsMembersAndIEDs)
{
    const std::string datasets =
        "<DataSet name=\"DS1\">"
        "<FCDA ldInst=\"LD\" prefix=\"Q0\" lnClass=\"XCBR\" lnInst=\"1\" doName=\"Pos\" fc=\"ST\"/>"
        "<FCDA ldInst=\"LD\" lnClass=\"MMXU\" lnInst=\"1\" doName=\"PhV.phsA\" daName=\"cVal.mag.f\" fc=\"MX\"/>"
        "</DataSet><DataSet name=\"DS2\">"
        "<FCDA ldInst=\"LD\" prefix=\"Q0\" lnClass=\"XCBR\" lnInst=\"1\" doName=\"Pos\" fc=\"ST\"/>"
        "<FCDA ldInst=\"LD\" prefix=\"Q0\" lnClass=\"XCBR\" lnInst=\"1\" doName=\"Pos\" daName=\"q\" fc=\"ST\"/>"
        "</DataSet>";
    const std::string reports = "<ReportControl name=\"a\" buffered=\"true\"/><ReportControl name=\"b\" buffered=\"1\"/>"
                                "<ReportControl name=\"c\" buffered=\"false\"/><ReportControl name=\"d\" buffered=\"0\"/>"
                                "<ReportControl name=\"e\"/>";
    const std::string a = Ied("A", datasets, "<DataSet name=\"X\"/>");
    const Lines lines = CollectIeds(Ied("B", reports) + Ied("T", datasets, "", " clock=\"true\"") + a + a);
    Lines expected = {"BLD/LLN0$BR$a", "BLD/LLN0$BR$b", "BLD/LLN0$RP$c", "BLD/LLN0$RP$d", "BLD/LLN0$RP$e",
                      "BLD/GGIO1$CO$SPCSO1$SBO", "BLD/GGIO1$CO$Beh$sub$Oper"};
    const Lines ofA = {"ALD/LLN0$DS1", "ALD/Q0XCBR1$ST$Pos", "ALD/MMXU1$MX$PhV$phsA$cVal$mag$f", "ALD/LLN0$DS2",
                       "ALD/Q0XCBR1$ST$Pos$q", "ALD/GGIO1$CO$SPCSO1$SBO", "ALD/GGIO1$CO$Beh$sub$Oper", "ALD/GGIO1$X"};
    for (int twice = 0; twice < 2; ++twice) expected.insert(expected.end(), ofA.begin(), ofA.end());
    EXPECT_EQ(lines, expected);
}

}  // namespace
