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
    EXPECT_EQ(VariablesFileText(lines),
              "E1CTRL/LLN0$Events\r\nE1CTRL/Q0XCBR1$ST$Pos\r\nE1CTRL/LLN0$RP$urcbA\r\n"
              "E1CTRL/Q0CSWI1$CO$Pos$Oper\r\nE1CTRL/Q0CSWI1$CO$Pos$SBOw\r\nE1CTRL/Q0CSWI1$CO$Pos$Cancel\r\n");
    EXPECT_EQ(VariablesFileText({}), "");
}

TEST_F(VariablesExportTest, ReportControlIsBufferedOnlyForTrueOrOne)
{
    const Lines lines = CollectIeds(Ied("E1",
                                        "<ReportControl name=\"a\" buffered=\"true\"/>"
                                        "<ReportControl name=\"b\" buffered=\"1\"/>"
                                        "<ReportControl name=\"c\" buffered=\"false\"/>"
                                        "<ReportControl name=\"d\" buffered=\"0\"/>"
                                        "<ReportControl name=\"e\"/>"
                                        "<ReportControl name=\"e\"/>"));
    const Lines expected = {"E1LD/LLN0$BR$a", "E1LD/LLN0$BR$b", "E1LD/LLN0$RP$c",
                            "E1LD/LLN0$RP$d", "E1LD/LLN0$RP$e", "E1LD/LLN0$RP$e",
                            "E1LD/GGIO1$CO$SPCSO1$SBO", "E1LD/GGIO1$CO$Beh$sub$Oper"};
    EXPECT_EQ(lines, expected);
}

TEST_F(VariablesExportTest, MembersAreListedOncePerIedWithDottedPathsAsDollars)
{
    const std::string ln0 =
        "<DataSet name=\"DS1\">"
        "<FCDA ldInst=\"LD\" prefix=\"Q0\" lnClass=\"XCBR\" lnInst=\"1\" doName=\"Pos\" fc=\"ST\"/>"
        "<FCDA ldInst=\"LD\" lnClass=\"MMXU\" lnInst=\"1\" doName=\"PhV.phsA\" daName=\"cVal.mag.f\" fc=\"MX\"/>"
        "</DataSet>"
        "<DataSet name=\"DS2\">"
        "<FCDA ldInst=\"LD\" prefix=\"Q0\" lnClass=\"XCBR\" lnInst=\"1\" doName=\"Pos\" fc=\"ST\"/>"
        "<FCDA ldInst=\"LD\" prefix=\"Q0\" lnClass=\"XCBR\" lnInst=\"1\" doName=\"Pos\" daName=\"q\" fc=\"ST\"/>"
        "</DataSet>";
    const Lines lines = CollectIeds(Ied("E1", ln0) + Ied("E2", ln0, "<DataSet name=\"DS1\"/>"));
    const Lines expected = {
        "E1LD/LLN0$DS1", "E1LD/Q0XCBR1$ST$Pos", "E1LD/MMXU1$MX$PhV$phsA$cVal$mag$f",
        "E1LD/LLN0$DS2", "E1LD/Q0XCBR1$ST$Pos$q",
        "E1LD/GGIO1$CO$SPCSO1$SBO", "E1LD/GGIO1$CO$Beh$sub$Oper",
        "E2LD/LLN0$DS1", "E2LD/Q0XCBR1$ST$Pos", "E2LD/MMXU1$MX$PhV$phsA$cVal$mag$f",
        "E2LD/LLN0$DS2", "E2LD/Q0XCBR1$ST$Pos$q",
        "E2LD/GGIO1$CO$SPCSO1$SBO", "E2LD/GGIO1$CO$Beh$sub$Oper", "E2LD/GGIO1$DS1",
    };
    EXPECT_EQ(lines, expected);
}

TEST_F(VariablesExportTest, TimeServerGivesNothingAndIedsFollowDocumentOrder)
{
    const Lines lines = CollectIeds(Ied("B", "<DataSet name=\"X\"/>") +
                                    Ied("T", "<DataSet name=\"X\"/>", "", " clock=\"true\"") +
                                    Ied("A", "<DataSet name=\"X\"/>"));
    const Lines expected = {"BLD/LLN0$X",   "BLD/GGIO1$CO$SPCSO1$SBO", "BLD/GGIO1$CO$Beh$sub$Oper",
                            "ALD/LLN0$X",   "ALD/GGIO1$CO$SPCSO1$SBO", "ALD/GGIO1$CO$Beh$sub$Oper"};
    EXPECT_EQ(lines, expected);
}

// The duplicate test of members runs within one IED element: a second IED element
// with the same name is found as the first one and lists its members again.
TEST_F(VariablesExportTest, MembersRepeatForEachIedElement)
{
    const std::string ied = Ied("E1", "<DataSet name=\"X\"><FCDA ldInst=\"LD\" lnClass=\"GGIO\" lnInst=\"1\" "
                                      "doName=\"Ind\" fc=\"ST\"/></DataSet>");
    const Lines once = {"E1LD/LLN0$X", "E1LD/GGIO1$ST$Ind", "E1LD/GGIO1$CO$SPCSO1$SBO", "E1LD/GGIO1$CO$Beh$sub$Oper"};
    Lines twice = once;
    twice.insert(twice.end(), once.begin(), once.end());
    EXPECT_EQ(CollectIeds(ied + ied), twice);
}

}  // namespace
