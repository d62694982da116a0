#include "core_fixture.h"
#include "document/varnholt_doc.h"
#include "document/xml_copy.h"
#include "support/fake_ui.h"

namespace {

const char* kHeaderedProject =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<SCL xmlns=\"http://www.iec.ch/61850/2003/SCL\">"
    "<Header id=\"p\" version=\"3\" revision=\"7\"><Text>notes</Text></Header><Substation name=\"S1\"/></SCL>";

class SaveDocument : public ::testing::Test {
protected:
    CVarnholtDoc doc;
    FakeUi ui;
    TempDir dir;
};

TEST_F(SaveDocument, TheSavedTextKeepsTheEncodingAndDropsWhatOlderVersionsCannotHold)
{
    // Validation writes the newer report options as defaults; older versions must lose them.
    const std::string report = ServerOf(Lln0Of("<ReportControl name=\"r\" rptID=\"\"><TrgOps dchg=\"true\"/>"
                                               "<OptFields seqNum=\"true\"/></ReportControl>"));
    const std::vector<std::string> older = {" dchg=\"true\"", " seqNum=\"true\"", "! indexed=", "! gi=", "! bufOvfl="};
    // Options a file gives are the report's meaning: kept whatever the version.
    const std::string given = ServerOf(Lln0Of("<ReportControl name=\"r\" rptID=\"\" indexed=\"false\"><TrgOps gi=\"false\"/>"
                                              "<OptFields bufOvfl=\"true\"/></ReportControl>"));
    const std::string giOnly = Replaced(report, "<TrgOps ", "<TrgOps gi=\"false\" ");
    const struct {
        const char* what;
        std::string input;  // empty: a new project
        std::vector<std::string> held;  // what the saved text holds, or with '!' what it does not
    } cases[] = {
        {"new project", "", {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<SCL", "\n    <VoltageLevel ", "!History"}},
        {"Latin-1 file",
         "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<SCL xmlns=\"http://www.iec.ch/61850/2003/SCL\">"
         "<Header id=\"h\"/><Substation name=\"Gr\xFCnwald\"/></SCL>\n",
         {"encoding=\"ISO-8859-1\"", "name=\"Gr\xFCnwald\""}},
        {"no version", SclDocument(report), older},
        {"2007", SclDocument(report, "version=\"2007\""), older},
        {"2008", SclDocument(report, "version=\"2008\""), {" indexed=\"true\"", " gi=\"true\"", " bufOvfl=\"true\""}},
        {"2007, options given", SclDocument(given, "version=\"2007\""),
         {" indexed=\"false\"", " gi=\"false\"", " bufOvfl=\"true\""}},
        {"no version, gi given", SclDocument(giOnly), {" gi=\"false\"", "! indexed=", "! bufOvfl="}},
    };
    ui.onDialog = [](DialogModel&) { return true; };
    for (const auto& c : cases) {
        if (c.input.empty()) {
            ASSERT_TRUE(doc.OnNewDocument());
            EXPECT_TRUE(doc.IsValid());
        } else {
            WriteFileText(dir.File("in.scd"), c.input);
            ASSERT_TRUE(doc.OnOpenDocument(dir.File("in.scd"), ui)) << c.what;
        }
        EXPECT_FALSE(doc.IsModified());
        ASSERT_EQ(doc.OnSaveDocument(dir.File("out.scd"), ui), SaveOutcome::Saved);
        const std::string saved = ReadFileText(dir.File("out.scd"));
        for (const std::string& text : c.held)
            EXPECT_EQ(saved.find(text.substr(text[0] == '!')) == std::string::npos, text[0] == '!') << c.what << text;
    }
    // A failed save is reported once and leaves the document modified.
    doc.SetModifiedFlag(true);
    EXPECT_EQ(doc.OnSaveDocument(dir.File("no-such-folder/p.scd"), ui), SaveOutcome::Failed);
    EXPECT_EQ(doc.LastSaveError(), "no such file or directory");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Cannot save document to file!");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(CVarnholtDoc().OnSaveDocument(dir.File("x.scd"), ui), SaveOutcome::Failed);  // no document: no message
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(SaveDocument, TheVersionHistoryProposesTheNextRevisionAndRecordsEachSave)
{
    // Header numbers are read as leading integers held within int; none gives 1.
    const std::pair<std::string, const char*> cases[] = {
        {kHeaderedProject, "3.8"},
        {SclDocument(""), "1.2"},
        {"<SCL><Header id=\"h\" version=\"3a\" revision=\"A\"/></SCL>", "3.2"},
        // Proposals stay within the dialog's range: after the last revision comes the next version.
        {"<SCL><Header id=\"h\" version=\"1\" revision=\"638983987168294089\"/></SCL>", "2.0"},
        {"<SCL><Header id=\"h\" version=\"4\" revision=\"999999\"/></SCL>", "4.1000000"},
        {"<SCL><Header id=\"h\" version=\"99999999999\" revision=\"2147483647\"/></SCL>", "1000000.1000000"},
        {"<SCL><Header id=\"h\" version=\"-4\" revision=\"-9\"/></SCL>", "1.0"},
    };
    std::string proposed;
    ui.onDialog = [&](DialogModel& model) {
        auto& dialog = dynamic_cast<CVerHistDialog&>(model);
        proposed = dialog.versionText + "." + dialog.revisionText;
        EXPECT_EQ(dialog.Accept(), "") << proposed;
        return false;
    };
    for (const auto& [text, next] : cases) {
        LoadDocText(doc, text);
        doc.SetModifiedFlag(true);
        EXPECT_EQ(doc.OnSaveDocument(dir.File("p.scd"), ui), SaveOutcome::Cancelled);
        EXPECT_EQ(proposed, next) << text;
        EXPECT_EQ(ElementAt(doc.Root(), {"Header", "History"}), nullptr);
        EXPECT_TRUE(doc.IsModified());
    }
    // "Save changes to Untitled?" Yes, a file name, then Cancel in the version history:
    // New must not discard the project.
    xmlDoc* tree = doc.XmlTree();
    ui.messageAnswers = {MessageAnswer::Yes};
    ui.saveFileNames = {dir.File("p.scd")};
    EXPECT_FALSE(doc.OnFileNew(ui));
    EXPECT_EQ(doc.XmlTree(), tree);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(NamesIn(dir.path()).empty());

    // Accepted, the Header takes the numbers and its History one entry per save.
    LoadDocText(doc, kHeaderedProject);
    ui.onDialog = [](DialogModel& model) {
        auto& dialog = dynamic_cast<CVerHistDialog&>(model);
        dialog.userName = "engineer";
        dialog.changeDescription = "Added P2";
        dialog.changeReason = "For the bay";
        dialog.revisionText = "9";
        return dialog.Accept().empty();
    };
    for (int save = 0; save < 2; ++save) {
        doc.SetModifiedFlag(true);
        ASSERT_EQ(doc.OnSaveDocument(dir.File("p.scd"), ui), SaveOutcome::Saved);
        EXPECT_FALSE(doc.IsModified());
    }
    TreePtr saved = ParsedTree(ReadFileText(dir.File("p.scd")));
    xmlNode* header = FindChildElement(xmlDocGetRootElement(saved.get()), "Header");
    EXPECT_STREQ(GetAttribute(header, "revision"), "9");
    ASSERT_TRUE(IsElementNamed(header->last, "History"));
    EXPECT_EQ(xmlChildElementCount(header->last), 2u);
    xmlNode* hitem = xmlLastElementChild(header->last);
    const std::pair<const char*, const char*> expected[] = {
        {"version", "3"}, {"revision", "9"}, {"who", "engineer"}, {"what", "Added P2"}, {"why", "For the bay"}};
    for (const auto& [name, value] : expected) EXPECT_STREQ(GetAttribute(hitem, name), value) << name;
    EXPECT_TRUE(HasShape(GetAttribute(hitem, "when"), "9999-99-99 99:99"));
}

// An IED placed from a validated file brings the marks of the options its validation
// filled in, and validating the project again marks nothing that exists already.
TEST_F(SaveDocument, OptionsFilledInForAnImportedIEDAreStrippedAsTheProjectsOwn)
{
    const std::string report = "<ReportControl name=\"r\" rptID=\"\"><TrgOps/><OptFields/></ReportControl>";
    TreePtr file = ParsedTree(SclDocument(ServerOf(Lln0Of(report))));
    doc.Validate(file.get());
    LoadDocText(doc, SclDocument("", "version=\"2007\""));
    ASSERT_TRUE(PlaceCopy(FindChildElement(xmlDocGetRootElement(file.get()), "IED"), doc.Root(), CopyPlace::LastChildOf));
    doc.Validate(doc.XmlTree());
    ASSERT_EQ(doc.OnSaveDocument(dir.File("p.scd"), ui), SaveOutcome::Saved);
    const std::string saved = ReadFileText(dir.File("p.scd"));
    for (const char* option : {" indexed=", " gi=", " bufOvfl="}) EXPECT_EQ(saved.find(option), std::string::npos) << option;
    EXPECT_NE(saved.find(" dchg=\"false\""), std::string::npos);
}

// Stands in for the project tree: reports a fixed set of used template ids.
struct UsedIdsView : DocumentView {
    UsedTypeIds used;
    bool CollectUsedTypeIds(UsedTypeIds& ids) override { return (ids = used, true); }
};

TEST_F(SaveDocument, PurgeRemovesIndexedTemplatesNobodyUses)
{
    LoadDocText(doc, SclDocument("<DataTypeTemplates>"
                                 "<LNodeType id=\"T1\" lnClass=\"LLN0\"/><LNodeType id=\"T2\" lnClass=\"GGIO\"/>"
                                 "<LNodeType id=\"T3\" lnClass=\"GGIO\" desc=\"first\"/>"
                                 "<LNodeType id=\"T3\" lnClass=\"GGIO\" desc=\"second\"/>"
                                 "<LNodeType lnClass=\"GGIO\"/>"
                                 "<DOType id=\"D1\" cdc=\"SPS\"/><DOType id=\"D2\" cdc=\"SPS\"/>"
                                 "<EnumType id=\"E1\"/></DataTypeTemplates>"));
    // The index keeps the last template of an id (see below) and anchors each kind on its last template.
    EXPECT_STREQ(GetAttribute(doc.Types().Anchor(TemplateKind::LNodeType), "id"), "");
    // Without a project tree nothing is known to be unused.
    doc.PurgeUnusedTypes();
    EXPECT_EQ(xmlChildElementCount(doc.TemplatesElement()), 8u);

    UsedIdsView view;
    view.used[TemplateKind::LNodeType].Add("T1");
    view.used[TemplateKind::DOType].Add("D1");
    doc.AddView(&view);
    doc.PurgeUnusedTypes();
    doc.RemoveView(&view);
    std::vector<std::string> left;
    for (xmlNode* type : ElementChildren(doc.TemplatesElement()))
        left.push_back(std::string(GetAttribute(type, "id")) + GetAttribute(type, "desc"));
    EXPECT_EQ(left, (std::vector<std::string>{"T1", "T3first", "", "D1"}));
    EXPECT_EQ(doc.FindLNodeType("T3"), nullptr);
    EXPECT_EQ(doc.Types().Anchor(TemplateKind::EnumType), nullptr);
    // The last DOType went: types merged later follow the last one left.
    EXPECT_EQ(doc.Types().Anchor(TemplateKind::DOType), doc.FindDOType("D1"));
}

}  // namespace
