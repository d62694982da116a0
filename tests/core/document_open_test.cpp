#include "core/log_dialogs.h"
#include "core/varnholt_doc.h"
#include "core/xml_access.h"
#include "support/fake_ui.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

// A document that holds a modified new project when the test starts.
class OpenDocument : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(doc.OnNewDocument());
        doc.SetModifiedFlag(true);
        before = doc.XmlTree();
    }
    void ExpectUnchanged()
    {
        EXPECT_EQ(doc.XmlTree(), before);
        EXPECT_TRUE(doc.IsModified());
        EXPECT_TRUE(doc.IsValid());
        EXPECT_EQ(doc.Title(), "Untitled");
    }
    std::string Write(const std::string& name, const std::string& text)
    {
        WriteFileText(dir.File(name), text);
        return dir.File(name);
    }
    CVarnholtDoc doc;
    FakeUi ui;
    TempDir dir;
    xmlDoc* before = nullptr;
};

TEST_F(OpenDocument, UnreadableInputIsRefusedWithOneMessageAndChangesNothing)
{
    Write("empty.scd", "");
    Write("text.scd", "this is not XML at all\n");
    Write("binary.scd", std::string("\x1f\x8b\x00\xff\xfe\x01\x02", 7));
    Write("blank.scd", "   \n\n");
    Write("truncated.scd", SclDocument("<IED name=\"P1\"><AccessPoint name=\"A\"/></IED>").substr(0, 150));
    std::string open, close;
    for (int i = 0; i < 5000; ++i) {
        open += "<Bay>";
        close += "</Bay>";
    }
    Write("deep.scd", "<SCL>" + open + close + "</SCL>");
    mkdir(dir.File("folder.scd").c_str(), 0700);
    for (const char* name : {"empty.scd", "text.scd", "binary.scd", "blank.scd", "truncated.scd",
                             "deep.scd", "folder.scd", "does-not-exist.scd"}) {
        ui.messages.clear();
        EXPECT_FALSE(doc.OnOpenDocument(dir.File(name), ui)) << name;
        ASSERT_EQ(ui.messages.size(), 1u) << name;
        EXPECT_EQ(ui.messages[0].title, "Open Document");
        EXPECT_EQ(ui.messages[0].text, "Invalid file format!");
        EXPECT_EQ(ui.messages[0].icon, MessageIcon::Error);
        EXPECT_TRUE(ui.dialogsShown.empty()) << name;
        ExpectUnchanged();
    }
}

TEST_F(OpenDocument, SchemaFindingsAskWhetherToGoOn)
{
    std::string path = Write("invalid.scd", SclDocument("<Substation/>"));
    std::vector<std::string> shownLines;
    std::string shownTitle;
    ui.onDialog = [&](DialogModel& model) {
        auto& log = dynamic_cast<CXMLLogDialog&>(model);
        shownLines = log.Lines();
        shownTitle = log.Title();
        return false;  // No
    };
    EXPECT_FALSE(doc.OnOpenDocument(path, ui));
    EXPECT_EQ(shownTitle, "XML Parser Log");
    ASSERT_FALSE(shownLines.empty());
    EXPECT_NE(shownLines[0].find("Schemas validity error"), std::string::npos) << shownLines[0];
    ExpectUnchanged();

    ui.onDialog = [](DialogModel&) { return true; };  // Yes
    EXPECT_TRUE(doc.OnOpenDocument(path, ui));
    EXPECT_NE(doc.XmlTree(), before);
    EXPECT_FALSE(doc.IsValid());
    EXPECT_STREQ(doc.ValidityIndicatorText(), "INVALID");
}

TEST_F(OpenDocument, MissingDatasetsAskWithTheirOwnTitle)
{
    std::string path = Write(
        "datasets.scd",
        SclDocument("<IED name=\"P1\"><AccessPoint name=\"AP1\"><Server><Authentication/>"
                    "<LDevice inst=\"LD0\"><LN0 lnClass=\"LLN0\" inst=\"\" lnType=\"T\">"
                    "<GSEControl name=\"gcb1\" datSet=\"DS1\" appID=\"A\"/></LN0></LDevice>"
                    "</Server></AccessPoint></IED>"
                    "<DataTypeTemplates><LNodeType id=\"T\" lnClass=\"LLN0\"><DO name=\"Mod\" type=\"D\"/>"
                    "</LNodeType><DOType id=\"D\" cdc=\"INC\"/></DataTypeTemplates>"));
    std::vector<std::string> titles;
    ui.onDialog = [&](DialogModel& model) {
        titles.push_back(dynamic_cast<CXMLLogDialog&>(model).Title());
        return true;
    };
    EXPECT_TRUE(doc.OnOpenDocument(path, ui));
    ASSERT_FALSE(titles.empty());
    EXPECT_EQ(titles.back(), "Dataset references verification");
    EXPECT_EQ(doc.ValidationLog(),
              std::vector<std::string>{"Error: dataset DS1 referenced by: LD0/LLN0.gcb1 not found"});
    EXPECT_FALSE(doc.IsValid());
}

TEST_F(OpenDocument, TypeIndexKeepsTheLastTemplateOfAnIdAndAnchorsOnTheLastOfEachKind)
{
    std::string path = Write(
        "types.scd",
        SclDocument("<DataTypeTemplates>"
                    "<LNodeType id=\"T1\" lnClass=\"LLN0\"/><DOType id=\"D1\" cdc=\"SPS\"/>"
                    "<LNodeType id=\"T1\" lnClass=\"GGIO\"/><LNodeType lnClass=\"GGIO\"/>"
                    "<EnumType id=\"E1\"/></DataTypeTemplates>"));
    ui.onDialog = [](DialogModel&) { return true; };
    ASSERT_TRUE(doc.OnOpenDocument(path, ui));
    xmlNode* t1 = doc.FindLNodeType("T1");
    ASSERT_NE(t1, nullptr);
    EXPECT_STREQ(GetAttribute(t1, "lnClass"), "GGIO");
    EXPECT_EQ(doc.FindLNodeType("t1"), nullptr);
    EXPECT_NE(doc.FindDOType("D1"), nullptr);
    EXPECT_NE(doc.FindEnumType("E1"), nullptr);
    EXPECT_EQ(doc.FindDAType("D1"), nullptr);
    EXPECT_STREQ(GetAttribute(doc.Types().Anchor(TemplateKind::LNodeType), "id"), "");
    EXPECT_EQ(doc.Types().Anchor(TemplateKind::DAType), nullptr);
}

TEST_F(OpenDocument, AbandonedOpenKeepsUnsavedChangesMarked)
{
    std::string path = Write("good.scd", ReadFileText(TestDataPath("minimal.scd")));
    // No to "Save changes?", then the file dialog is cancelled.
    ui.messageAnswers = {MessageAnswer::No};
    ui.openFileNames = {std::nullopt};
    EXPECT_FALSE(doc.OnFileOpen(ui));
    ExpectUnchanged();
    // No, then the chosen file cannot be read.
    ui.messageAnswers = {MessageAnswer::No};
    ui.openFileNames = {dir.File("missing.scd")};
    EXPECT_FALSE(doc.OnFileOpen(ui));
    ExpectUnchanged();
    // No, then a good file: the unsaved project is discarded as the person chose.
    ui.messageAnswers = {MessageAnswer::No};
    ui.openFileNames = {path};
    EXPECT_TRUE(doc.OnFileOpen(ui));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.Title(), "good.scd");
    EXPECT_EQ(ui.messages[0].text, "Save changes to Untitled?");
    EXPECT_EQ(ui.fileRequests[0].filter, "Varnholt Files (*.SCD)|*.SCD|All Files (*.*)|*.*||");
}

}  // namespace
