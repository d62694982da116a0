#include "document/scl_edition.h"
#include "document/xml_access.h"
#include "exports/export_commands.h"
#include "exports/export_dialog.h"
#include "exports/ied_description.h"
#include "exports/ied_export.h"
#include "exports/variables_export.h"
#include "project_tree/tree_fixture.h"

namespace {

using Lines = std::vector<std::string>;

// The project of the description example unless another is loaded.
class ExportTest : public TreeTest {
protected:
    void SetUp() override { LoadFixture("description_example.scd"); }
};

// Each export writes the file of the IED chosen in the dialog (the first preselected
// while the tree selects none) and confirms it, or shows the file and the cause of a
// failure and leaves nothing behind; the project stays unmodified.
TEST_F(ExportTest, CommandsWriteTheFileOrNameTheFailure)
{
    const struct {
        ExportResult (*command)(CVarnholtView&, UserInterface&);
        int chosen;
        const char* title;
        const char* initialName;
        const char* start;  // of the file written
        const char* end;
        const char* confirmation;
    } cases[] = {
        {OnExportVariables, -1, "Export variables", "Variables", "E1", "\r\n", "Exported variables to "},
        {OnExportIEDDescription, 1, "Export IED description", "E2_Description", "IED: E2\r\n", "\r\n",
         "Exported the description of IED E2 to "},
        {OnExportIIDCID, -1, "Export IID/CID", "E1", "<?xml", ">\n", "Exported IED E1 to "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        TempDir dir;
        FakeUi ui;
        std::vector<std::string> offered;
        ui.onDialog = [&](DialogModel& model) {
            auto& dialog = dynamic_cast<CExportDialog&>(model);
            offered = dialog.IEDNames();
            EXPECT_EQ(dialog.SelectedIndex(), 0);
            if (c.chosen >= 0) dialog.SetSelectedIndex(c.chosen);
            return true;
        };
        ui.saveFileNames = {dir.File("out"), dir.File("missing/out")};
        EXPECT_EQ(c.command(view, ui).confirmation, c.confirmation + dir.File("out"));
        EXPECT_EQ(ui.fileRequests.at(0).initialName, c.initialName);
        const std::string text = ReadFileText(dir.File("out"));
        EXPECT_EQ(text.rfind(c.start, 0), 0u) << text.substr(0, 80);
        EXPECT_EQ(text.substr(text.size() - 2), c.end);
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_EQ(offered, (c.command == OnExportVariables ? Lines{} : Lines{"E1", "E2", "T1"}));

        EXPECT_EQ(c.command(view, ui).confirmation, "");
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].title, c.title);
        EXPECT_EQ(ui.messages[0].text.rfind("Cannot write file " + dir.File("missing/out") + ": ", 0), 0u);
        EXPECT_FALSE(FileExists(dir.File("missing")));
    }
    EXPECT_FALSE(doc.IsModified());

    // A time server has no description: no file is asked for.
    ui.onDialog = [](DialogModel& model) {
        dynamic_cast<CExportDialog&>(model).SetSelectedIndex(2);
        return true;
    };
    OnExportIEDDescription(view, ui);
    EXPECT_TRUE(ui.fileRequests.empty());
}


// Descriptions: two access points; a logical node without NamPlt, one with an empty NamPlt.d, one
// whose NamPlt.d holds two values; a DO without d; sub data objects and structures;
// values holding line breaks and tabs. Only an IED item has a description.
// Exports: an access point on two subnetworks is exported on both, two access points on one
// subnetwork share it; the types used are exported each once, after the types they
// hold, also those reached through a cycle, which the project tree cannot expand; a
// time server is exported with its connected access point and no types.
TEST_F(ExportTest, IEDDescriptionsAndExports)
{
    const std::vector<std::string> expected = {
        "IED: E2",           "   LD: LD1",           "    LN: LLN0",        "     DO: Mod",
        "      DA: stVal",   "    LN: Q0XCBR2",       "     DO: NamPlt",      "      DA: vendor",
        "      DA: d",       "     DO: Pos(Open  or closed)", "      DA: stVal", "      DA: q",
        "      DA: d",       "   LD: LD2",           "    LN: GGIO1(Inputs A)", "     DO: NamPlt",
        "      DA: vendor",  "      DA: d",          "     DO: Ind1",        "      DA: stVal",
        "     DO: AnIn",     "      SDO: phsA",      "       DA: cVal",      "        BDA: mag",
    };
    EXPECT_EQ(IEDDescriptionLines(view, "E2"), expected);

    EXPECT_TRUE(IEDDescriptionLines(view, "T1").empty()) << "time server";
    EXPECT_TRUE(IEDDescriptionLines(view, "E3").empty()) << "unknown name";
    EXPECT_TRUE(IEDDescriptionLines(view, FindIEDItem(view, "E1")->FirstChild()).empty()) << "not an IED item";

    // No ConnectedAP: no Communication, which the schema refuses when empty.
    XmlDocPtr e1 = BuildIEDExport(doc, "E1");
    ASSERT_TRUE(e1);
    EXPECT_FALSE(FindChildElement(xmlDocGetRootElement(e1.get()), "Communication"));

    // The export file of an IED.
    LoadFixture("datasets_ied_export.scd");
    XmlDocPtr p1 = BuildIEDExport(doc, "P1");
    ASSERT_TRUE(p1);
    std::string text = XmlText(p1.get(), true);
    EXPECT_NE(text.find(R"(<SubNetwork name="A">
      <ConnectedAP iedName="P1" apName="AP1"/>
      <ConnectedAP iedName="P1" apName="AP2"/>
    </SubNetwork>
    <SubNetwork name="B">
      <ConnectedAP iedName="P1" apName="AP1"/>)"), std::string::npos) << text;
    EXPECT_NE(text.find(R"(<Header id="Orlemar SCL" nameStructure="IEDName" version="" revision=""/>)"),
              std::string::npos);
    EXPECT_EQ(text.find(" version=\"", text.find("<SCL")), text.find(" version=\"\""));  // none on the root
    // The root declares the project's edition, in every edition.
    for (SclEdition edition : {SclEdition::Ed2003, SclEdition::Ed2007B, SclEdition::Ed2007B4}) {
        DeclareEdition(doc.Root(), edition);
        XmlDocPtr exported = BuildIEDExport(doc, "P1");
        ASSERT_TRUE(exported);
        xmlNode* root = xmlDocGetRootElement(exported.get());
        EXPECT_EQ(DeclaredEditionText(root), DeclaredEditionText(doc.Root())) << EditionName(edition);
        EXPECT_EQ(EditionOfRoot(root), edition);
    }
    std::string ids;
    for (xmlNode* type : ElementChildren(FindChildElement(xmlDocGetRootElement(p1.get()), "DataTypeTemplates")))
        ids += std::string(ElementName(type)) + " " + GetAttribute(type, "id") + ", ";
    EXPECT_EQ(ids, "LNodeType L, DOType S, DOType D, DAType A, EnumType E, ");

    XmlDocPtr timeServer = BuildIEDExport(doc, "T");
    ASSERT_TRUE(timeServer);
    text = XmlText(timeServer.get(), true);
    EXPECT_NE(text.find(R"(<ConnectedAP iedName="T" apName="C"/>)"), std::string::npos) << text;
    EXPECT_NE(text.find("<DataTypeTemplates/>"), std::string::npos) << text;
    EXPECT_FALSE(BuildIEDExport(doc, "nobody"));
}

// The worked example in order, then: reports are buffered only for "true" or "1"; a
// member is listed once per IED element, its dotted paths with "$"; a time server gives
// nothing; IEDs follow document order, and a second IED element of the same name is
// found as the first and listed again.
TEST_F(ExportTest, VariablesOfReportsMembersAndIEDs)
{
    LoadFixture("variables_example.scd");
    EXPECT_EQ(CollectVariableLines(view), (Lines{"E1CTRL/LLN0$Events", "E1CTRL/Q0XCBR1$ST$Pos", "E1CTRL/LLN0$RP$urcbA",
                                                 "E1CTRL/Q0CSWI1$CO$Pos$Oper", "E1CTRL/Q0CSWI1$CO$Pos$SBOw",
                                                 "E1CTRL/Q0CSWI1$CO$Pos$Cancel"}));
    EXPECT_EQ(VariablesFileText({"a", "b"}), "a\r\nb\r\n");

    LoadDocText(doc, ReadFileText(TestDataPath("datasets_variables.scd")), false);
    view.OnInitialUpdate();
    Lines expected = {"BLD/LLN0$BR$a", "BLD/LLN0$BR$b", "BLD/LLN0$RP$c", "BLD/LLN0$RP$d", "BLD/LLN0$RP$e",
                      "BLD/GGIO1$CO$SPCSO1$SBO", "BLD/GGIO1$CO$Beh$sub$Oper"};
    const Lines ofA = {"ALD/LLN0$DS1", "ALD/Q0XCBR1$ST$Pos", "ALD/MMXU1$MX$PhV$phsA$cVal$mag$f", "ALD/LLN0$DS2",
                       "ALD/Q0XCBR1$ST$Pos$q", "ALD/GGIO1$CO$SPCSO1$SBO", "ALD/GGIO1$CO$Beh$sub$Oper", "ALD/GGIO1$X"};
    for (int twice = 0; twice < 2; ++twice) expected.insert(expected.end(), ofA.begin(), ofA.end());
    EXPECT_EQ(CollectVariableLines(view), expected);
}

}  // namespace
