#include "core/log_dialogs.h"
#include "core/varnholt_doc.h"
#include "core/xml_access.h"
#include "core/xml_parse.h"
#include "support/fake_ui.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <zlib.h>

#include <algorithm>

namespace {

void WriteGzip(const std::string& path, const std::string& text)
{
    gzFile file = gzopen(path.c_str(), "wb9");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(gzwrite(file, text.data(), static_cast<unsigned>(text.size())), static_cast<int>(text.size()));
    EXPECT_EQ(gzclose(file), Z_OK);
}

// `body` inside an SCL document whose internal subset declares `entities`, on the
// lines the same document without them would take.
std::string WithEntities(const std::string& entities, const std::string& body)
{
    std::string text = SclDocument(body);
    return text.insert(text.find("<SCL"), "<!DOCTYPE SCL [" + entities + "]>");
}

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
    // The detail names the file and the first reason, with its line when the parser gave it.
    const std::pair<const char*, const char*> files[] = {
        {"empty.scd", "the file is empty"},
        {"text.scd", "line 1: Start tag expected"},
        {"binary.scd", "the compressed content of the file is damaged"},
        {"blank.scd", "line 3: Start tag expected"},
        {"truncated.scd", "line 3: "},
        {"deep.scd", "line 1: Excessive depth"},
        {"folder.scd", "not a regular file"},
        {"does-not-exist.scd", "the file cannot be read: No such file or directory"},
    };
    for (const auto& [name, reason] : files) {
        ui.messages.clear();
        EXPECT_FALSE(doc.OnOpenDocument(dir.File(name), ui)) << name;
        ASSERT_EQ(ui.messages.size(), 1u) << name;
        EXPECT_EQ(ui.messages[0].title, "Open Document");
        EXPECT_EQ(ui.messages[0].text, "Invalid file format!");
        EXPECT_EQ(ui.messages[0].detail.rfind(dir.File(name) + ": " + reason, 0), 0u) << ui.messages[0].detail;
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
    // The long steps of the good open were announced, and the busy state ended.
    EXPECT_EQ(std::vector<std::string>(ui.progressSteps.end() - 3, ui.progressSteps.end()),
              (std::vector<std::string>{"Reading the file...", "Checking the file against the SCL schema...",
                                        "Building the project tree..."}));
    EXPECT_EQ(ui.busyDepth, 0);
}

TEST_F(OpenDocument, CompressedFilesOpenWithinTheirBound)
{
    std::string path = dir.File("project.scd.gz");
    WriteGzip(path, ReadFileText(TestDataPath("minimal.scd")));
    ASSERT_TRUE(doc.OnOpenDocument(path, ui));
    EXPECT_TRUE(doc.IsValid());
    EXPECT_STREQ(reinterpret_cast<const char*>(doc.XmlTree()->URL), path.c_str());

    // Blank text compresses about a thousand times, as a hostile file would.
    std::string bomb = "<SCL>" + std::string(3 << 20, ' ') + "</SCL>";
    WriteGzip(path, bomb);
    std::string error;
    EXPECT_EQ(ParseXmlFile(path, &error, 1 << 20), nullptr);
    EXPECT_EQ(error, "the file expands beyond 1 MiB when decompressed");
    xmlDoc* tree = ParseXmlFile(path, &error, 4 << 20);
    EXPECT_NE(tree, nullptr) << error;
    xmlFreeDoc(tree);
    // The bound is on decompression: a plain file of the same text is read.
    std::string plain = Write("plain.scd", bomb);
    tree = ParseXmlFile(plain, &error, 1 << 20);
    EXPECT_NE(tree, nullptr) << error;
    xmlFreeDoc(tree);
}

TEST_F(OpenDocument, EntityTextIsReadAsItsValueAndTheWholeDocumentIsValidated)
{
    auto body = [](const std::string& address, const std::string& rate) {
        return "<Substation name=\"S1\"/><Communication><SubNetwork name=\"N\">"
               "<BitRate unit=\"b/s\" multiplier=\"M\">" + rate + "</BitRate>"
               "<ConnectedAP iedName=\"I\" apName=\"A\"><Address>" + address +
               "</Address></ConnectedAP></SubNetwork></Communication>\n<IED/>";
    };
    std::vector<std::string> lines;
    ui.onDialog = [&](DialogModel& model) {
        lines = dynamic_cast<CXMLLogDialog&>(model).Lines();
        return true;
    };
    std::string path = Write("project.scd", SclDocument(body("<P type=\"IP\">10.0.0.1</P>", "1 0")));
    ASSERT_TRUE(doc.OnOpenDocument(path, ui));
    const std::vector<std::string> literalLines = lines;
    auto findings = [&](const char* element) {
        return std::count_if(lines.begin(), lines.end(),
                             [&](const std::string& line) { return line.find(element) != std::string::npos; });
    };
    ASSERT_EQ(findings("element BitRate"), 1);
    ASSERT_GT(findings("element IED"), 0);

    Write("project.scd", WithEntities("<!ENTITY zero \"0\"><!ENTITY slow \"1 &zero;\">",
                                      body("<P type=\"IP\">1&zero;.&zero;.&zero;.1</P>", "&slow;")));
    ASSERT_TRUE(doc.OnOpenDocument(path, ui));
    EXPECT_EQ(lines, literalLines);
    xmlNode* p = xmlDocGetRootElement(doc.XmlTree());
    for (const char* name : {"Communication", "SubNetwork", "ConnectedAP", "Address", "P"})
        p = FindChildElement(p, name);
    EXPECT_EQ(GetElementText(p), "10.0.0.1");
}

TEST_F(OpenDocument, EntitiesThatCannotBeReadAsBoundedTextMakeTheFileUnreadable)
{
    const std::string megabyte(1 << 20, 'x');
    std::string sixteen, manyAttributes;
    for (int i = 0; i < 16; ++i) sixteen += "&mb;";
    for (int i = 0; i < 80; ++i) manyAttributes += "<Bay name=\"&kb;\"/>";
    struct Case {
        std::string name, text, reason;
    } cases[] = {
        {"laughs.scd",
         WithEntities("<!ENTITY mb \"" + megabyte + "\"><!ENTITY big \"" + sixteen + "\">",
                      "<Substation name=\"S\"><Text>&big;&big;&big;&big;&big;</Text></Substation>"),
         "line 4: entity references expand beyond 64 MiB"},
        {"attributes.scd",
         WithEntities("<!ENTITY kb \"" + std::string(1000 << 10, 'x') + "\">",
                      "<Substation name=\"S\"><VoltageLevel name=\"V\">" + manyAttributes +
                          "</VoltageLevel></Substation>"),
         "entity references expand beyond 64 MiB"},
        {"markup.scd",
         WithEntities("<!ENTITY bay \"<Bay name='E'/>\">", "<Substation name=\"S\">&bay;</Substation>"),
         "line 4: entity 'bay' holds markup"},
        {"undefined.scd",
         "<?xml version=\"1.0\"?>\n<!DOCTYPE SCL SYSTEM \"scl.dtd\">\n<SCL><Header id=\"h\">&none;</Header></SCL>",
         "line 3: entity 'none' is not defined"},
        {"external.scd",
         WithEntities("<!ENTITY other SYSTEM \"other.xml\">", "<Substation name=\"S\">&other;</Substation>"),
         "entity 'other' is held in another file"},
    };
    for (const Case& c : cases) {
        ui.messages.clear();
        EXPECT_FALSE(doc.OnOpenDocument(Write(c.name, c.text), ui)) << c.name;
        EXPECT_NE(doc.LastReadError().find(c.reason), std::string::npos) << c.name << ": " << doc.LastReadError();
        ASSERT_EQ(ui.messages.size(), 1u) << c.name;
        EXPECT_EQ(ui.messages[0].text, "Invalid file format!");
        ExpectUnchanged();
    }
}

}  // namespace
