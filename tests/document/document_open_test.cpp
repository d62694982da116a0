#include "core_fixture.h"
#include "document/log_dialogs.h"
#include "document/varnholt_doc.h"
#include "document/xml_parse.h"
#include "support/fake_ui.h"

#include <sys/stat.h>
#include <zlib.h>

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

// A document that holds a modified new project when the test starts; every log is
// answered with `goOn`, keeping its title and lines.
class OpenDocument : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(doc.OnNewDocument());
        doc.SetModifiedFlag(true);
        before = doc.XmlTree();
        ui.onDialog = [this](DialogModel& model) {
            auto& log = dynamic_cast<LogDialogModel&>(model);
            logTitles.push_back(log.Title());
            logLines = log.Lines();
            return goOn;
        };
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
    bool goOn = true;
    std::vector<std::string> logTitles, logLines;
};

TEST_F(OpenDocument, RefusedOrAbandonedOpensKeepTheUnsavedProject)
{
    const std::string megabyte(1 << 20, 'x'), kb = "<!ENTITY kb \"" + std::string(1000 << 10, 'x') + "\">";
    std::string sixteen, manyAttributes, deep;
    for (int i = 0; i < 16; ++i) sixteen += "&mb;";
    for (int i = 0; i < 80; ++i) manyAttributes += "<Bay name=\"&kb;\"/>";
    for (int i = 0; i < 5000; ++i) deep = "<Bay>" + deep + "</Bay>";
    mkdir(dir.File("folder.scd").c_str(), 0700);
    // The detail names the file and the first reason, with its line when the parser gave it.
    const struct {
        const char* name;
        std::string text, reason;  // no text: the file is not written
    } cases[] = {
        {"empty.scd", "", "the file is empty"},
        {"text.scd", "this is not XML at all\n", "line 1: Start tag expected"},
        {"binary.scd", std::string("\x1f\x8b\x00\xff\xfe\x01\x02", 7), "the compressed content of the file is damaged"},
        {"deep.scd", "<SCL>" + deep + "</SCL>", "line 1: Excessive depth"},
        {"folder.scd", {}, "not a regular file"},
        {"does-not-exist.scd", {}, "the file cannot be read: No such file or directory"},
        {"laughs.scd",
         WithEntities("<!ENTITY mb \"" + megabyte + "\"><!ENTITY big \"" + sixteen + "\">",
                      "<Substation name=\"S\"><Text>&big;&big;&big;&big;&big;</Text></Substation>"),
         "line 4: entity references expand beyond 64 MiB"},
        {"attributes.scd", WithEntities(kb, "<Substation name=\"S\">" + manyAttributes + "</Substation>"),
         "line 4: entity references expand beyond 64 MiB"},
        {"attribute.scd", WithEntities(kb, "<Substation name=\"&kb;&kb;\"/>"), "line 4: an attribute value grows beyond 1 MiB"},
        {"markup.scd", WithEntities("<!ENTITY bay \"<Bay name='E'/>\">", "<Substation name=\"S\">&bay;</Substation>"),
         "line 4: entity 'bay' holds markup"},
        {"undefined.scd",
         "<?xml version=\"1.0\"?>\n<!DOCTYPE SCL SYSTEM \"scl.dtd\">\n<SCL><Header id=\"h\">&none;</Header></SCL>",
         "line 3: entity 'none' is not defined"},
        {"external.scd",
         WithEntities("<!ENTITY other SYSTEM \"other.xml\">", "<Substation name=\"S\">&other;</Substation>"),
         "line 4: entity 'other' is held in another file"},
    };
    // No to "Save changes?", then the file is refused: the unsaved project stays.
    for (const auto& c : cases) {
        if (!c.text.empty() || std::string(c.name) == "empty.scd") Write(c.name, c.text);
        ui.messages.clear();
        ui.messageAnswers = {MessageAnswer::No};
        ui.openFileNames = {dir.File(c.name)};
        EXPECT_FALSE(doc.OnFileOpen(ui)) << c.name;
        ASSERT_EQ(ui.messages.size(), 2u) << c.name;
        EXPECT_EQ(ui.messages[1].text, "Invalid file format!");
        EXPECT_EQ(ui.messages[1].detail.rfind(dir.File(c.name) + ": " + c.reason, 0), 0u) << ui.messages[1].detail;
        EXPECT_TRUE(ui.dialogsShown.empty()) << c.name;
        ExpectUnchanged();
    }
    // The same when the file dialog is cancelled; then a good (compressed) file, for which
    // the unsaved project is discarded as the person chose.
    WriteGzip(dir.File("good.scd.gz"), ReadFileText(TestDataPath("minimal.scd")));
    ui.messageAnswers = {MessageAnswer::No, MessageAnswer::No};
    ui.openFileNames = {std::nullopt, dir.File("good.scd.gz")};
    EXPECT_FALSE(doc.OnFileOpen(ui));
    ExpectUnchanged();
    EXPECT_TRUE(doc.OnFileOpen(ui));
    EXPECT_TRUE(doc.IsValid());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.Title(), "good.scd.gz");
    EXPECT_EQ(ui.busyDepth, 0);

    // Blank text compresses about a thousand times, as a hostile file would. A plain file
    // of the same text has the same bound, which a file of exactly its size meets.
    const std::string path = dir.File("bomb.scd.gz"), bomb = "<SCL>" + std::string(3 << 20, ' ') + "</SCL>";
    WriteGzip(path, bomb);
    const std::string plain = Write("plain.scd", bomb);
    const std::tuple<std::string, size_t, const char*> reads[] = {
        {path, 1 << 20, "the file expands beyond 1 MiB when decompressed"}, {path, 4 << 20, ""},
        {plain, 1 << 20, "the file is larger than 1 MiB"}, {plain, 4 << 20, ""},
        {path, bomb.size(), ""}, {plain, bomb.size(), ""}};
    for (const auto& [file, bound, refusal] : reads) {
        std::string error;
        TreePtr tree(ParseXmlFile(file, &error, bound), xmlFreeDoc);
        EXPECT_EQ(error, refusal) << file << bound;
        EXPECT_EQ(tree != nullptr, !*refusal);
    }
}

// The findings of an open, made on the whole document, ask whether to go on; a later check
// shows the same ones.
TEST_F(OpenDocument, FindingsAskWhetherToGoOnAndALaterCheckShowsThem)
{
    // Each file has a report without its dataset, which the schema does not check; the first
    // also a nameless Substation.
    const std::string report = "<ReportControl name=\"rcb1\" datSet=\"DS9\" rptID=\"\"/>";
    const std::string files[] = {
        Write("invalid.scd", SclDocument("<Substation/>" + ServerOf(Lln0Of(report)))),
        Write("datasets.scd", Replaced(ReadFileText(TestDataPath("one_ied.scd")), "\"DS1\" rptID", "\"DS9\" rptID"))};
    goOn = false;
    for (const std::string& path : files) EXPECT_FALSE(doc.OnOpenDocument(path, ui));
    ExpectUnchanged();
    EXPECT_EQ(logTitles, (std::vector<std::string>{"XML Parser Log", "Dataset references verification"}));
    goOn = true;
    for (const std::string& path : files) {
        EXPECT_TRUE(doc.OnOpenDocument(path, ui));
        EXPECT_FALSE(doc.IsValid());
        const std::vector<std::string> found = doc.OpenFindings();
        ASSERT_FALSE(found.empty());
        EXPECT_EQ(found.back(), "Error: dataset DS9 referenced by: LD0/LLN0.rcb1 not found");
        const bool schemaFindings = path == files[0];
        EXPECT_EQ(LinesWith(found, "Schemas validity error"), schemaFindings ? long(found.size()) - 2 : 0);
        EXPECT_EQ(found[0] == "Information: checked against the built-in schema of SCL 2003", schemaFindings);
        doc.SetValidFlag(true);  // the check sets it anew
        doc.OnVerifySyntax(ui);
        EXPECT_EQ(logLines, found);
        EXPECT_FALSE(doc.IsValid());
    }
    ASSERT_TRUE(doc.OnOpenDocument(Write("valid.scd", SclDocument("")), ui));
    doc.SetValidFlag(false);
    doc.OnVerifySyntax(ui);
    EXPECT_TRUE(doc.IsValid());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Document is correct");

    // Entity text is read as its value; the schema validator would stop at the first
    // entity reference it meets.
    Write("p.scd", WithEntities("<!ENTITY zero \"0\"><!ENTITY slow \"1 &zero;\">",
                                "<Substation name=\"S1\"/><Communication><SubNetwork name=\"N\">"
                                "<BitRate unit=\"b/s\" multiplier=\"M\">&slow;</BitRate><ConnectedAP iedName=\"I\" "
                                "apName=\"A\"><Address><P type=\"IP\">1&zero;.&zero;.&zero;.1</P></Address></ConnectedAP>"
                                "</SubNetwork></Communication>\n<IED/>"));
    ASSERT_TRUE(doc.OnOpenDocument(dir.File("p.scd"), ui));
    EXPECT_EQ(LinesWith(logLines, "element BitRate"), 1);  // "1 0" is no decimal
    EXPECT_GT(LinesWith(logLines, "element IED"), 0);
    EXPECT_EQ(GetElementText(ElementAt(doc.Root(), {"Communication", "SubNetwork", "ConnectedAP", "Address", "P"})), "10.0.0.1");
}

}  // namespace
