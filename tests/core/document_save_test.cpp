#include "core/varnholt_doc.h"
#include "core/xml_access.h"
#include "core/xml_parse.h"
#include "support/fake_ui.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <climits>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace {

const char* kHeaderedProject =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<SCL xmlns=\"http://www.iec.ch/61850/2003/SCL\">"
    "<Header id=\"p\" version=\"3\" revision=\"7\"><Text>notes</Text></Header>"
    "<Substation name=\"S1\"><VoltageLevel name=\"V1\"><Bay name=\"B1\"/></VoltageLevel></Substation>"
    "</SCL>";

// True when `text` has a digit wherever `pattern` has a d and the same character
// everywhere else.
bool MatchesPattern(const std::string& text, const std::string& pattern)
{
    if (text.size() != pattern.size()) return false;
    for (size_t i = 0; i < text.size(); ++i)
        if (pattern[i] == 'd' ? !std::isdigit(static_cast<unsigned char>(text[i])) : text[i] != pattern[i])
            return false;
    return true;
}

// A write that runs out of room part-way, like a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        EXPECT_EQ(getrlimit(RLIMIT_FSIZE, &old_), 0);
        rlimit small = old_;
        small.rlim_cur = bytes;
        oldHandler_ = signal(SIGXFSZ, SIG_IGN);
        EXPECT_NE(oldHandler_, SIG_ERR);
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    }
    ~FileSizeLimit()
    {
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &old_), 0);
        EXPECT_NE(signal(SIGXFSZ, oldHandler_), SIG_ERR);
    }

private:
    rlimit old_ {};
    sighandler_t oldHandler_;
};

// What lstat shows of a name.
std::string EntryOf(const std::string& path)
{
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0) return "missing";
    std::string text = std::to_string(info.st_ino) + " " + std::to_string(info.st_mode) + " " +
                       std::to_string(info.st_rdev) + " " + std::to_string(info.st_size);
    if (S_ISLNK(info.st_mode)) text += " -> " + std::filesystem::read_symlink(path).string();
    return text;
}

class SaveDocument : public ::testing::Test {
protected:
    // The saved file, parsed again.
    xmlDoc* Reread(const std::string& path)
    {
        std::string error;
        xmlDoc* tree = ParseXmlFile(path, &error);
        EXPECT_NE(tree, nullptr) << error;
        reread.reset(tree);
        return tree;
    }
    static std::vector<std::string> AttributeNames(const xmlNode* element)
    {
        std::vector<std::string> names;
        for (const xmlAttr* attr = element->properties; attr; attr = attr->next)
            names.emplace_back(reinterpret_cast<const char*>(attr->name));
        return names;
    }
    static bool NoTemporaryFilesIn(const std::string& folder)
    {
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            if (entry.path().filename().string().rfind(".varnholt-save-", 0) == 0) return false;
        return true;
    }

    CVarnholtDoc doc;
    FakeUi ui;
    TempDir dir;
    std::unique_ptr<xmlDoc, void (*)(xmlDoc*)> reread{nullptr, xmlFreeDoc};
};

TEST_F(SaveDocument, NewProjectIsTheValidTemplateAndSavesWithoutHistory)
{
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_TRUE(doc.IsValid());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_STREQ(doc.ModifiedIndicatorText(), "");
    EXPECT_NE(doc.TemplatesElement(), nullptr);
    ASSERT_EQ(doc.OnSaveDocument(dir.File("new.scd"), ui), SaveOutcome::Saved);
    EXPECT_TRUE(ui.dialogsShown.empty());

    std::string text = ReadFileText(dir.File("new.scd"));
    EXPECT_EQ(text.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<SCL", 0), 0u) << text;
    EXPECT_NE(text.find("\n  <Header id=\"Orlemar SCL\" nameStructure=\"IEDName\" toolID=\"Orlemar Varnholt\" "
                        "version=\"1\" revision=\"1\""),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\n    <VoltageLevel name=\"Voltage level1\""), std::string::npos) << text;
    EXPECT_EQ(text.find("History"), std::string::npos);
    EXPECT_EQ(text.substr(0, 2), "<?");  // plain text, not compressed
}

TEST_F(SaveDocument, ModifiedDocumentGetsAVersionHistoryEntry)
{
    LoadDocText(doc, kHeaderedProject);
    doc.SetModifiedFlag(true);
    ui.onDialog = [](DialogModel& model) {
        auto& dialog = dynamic_cast<CVerHistDialog&>(model);
        EXPECT_EQ(dialog.versionText, "3");
        EXPECT_EQ(dialog.revisionText, "8");
        EXPECT_EQ(dialog.changeDescription, "What has been changed");
        EXPECT_EQ(dialog.changeReason, "Why it has been changed");
        dialog.userName = "engineer";
        dialog.changeDescription = "Added P2";
        dialog.revisionText = "9";
        return dialog.Accept().empty();
    };
    ASSERT_EQ(doc.OnSaveDocument(dir.File("p.scd"), ui), SaveOutcome::Saved);
    EXPECT_FALSE(doc.IsModified());

    xmlNode* header = FindChildElement(xmlDocGetRootElement(Reread(dir.File("p.scd"))), "Header");
    EXPECT_STREQ(GetAttribute(header, "toolID"), "Orlemar Varnholt");
    EXPECT_STREQ(GetAttribute(header, "version"), "3");
    EXPECT_STREQ(GetAttribute(header, "revision"), "9");
    EXPECT_EQ(AttributeNames(header), (std::vector<std::string>{"id", "version", "revision", "toolID"}));
    ASSERT_NE(header->last, nullptr);
    EXPECT_STREQ(reinterpret_cast<const char*>(header->last->name), "History");
    xmlNode* hitem = FindChildElement(header->last, "Hitem");
    ASSERT_NE(hitem, nullptr);
    EXPECT_EQ(AttributeNames(hitem),
              (std::vector<std::string>{"version", "revision", "when", "who", "what", "why"}));
    EXPECT_STREQ(GetAttribute(hitem, "revision"), "9");
    EXPECT_STREQ(GetAttribute(hitem, "who"), "engineer");
    EXPECT_STREQ(GetAttribute(hitem, "what"), "Added P2");
    EXPECT_TRUE(MatchesPattern(GetAttribute(hitem, "when"), "dddd-dd-dd dd:dd")) << GetAttribute(hitem, "when");

    // A second save appends a second entry to the same History.
    doc.SetModifiedFlag(true);
    ui.onDialog = [](DialogModel&) { return true; };
    ASSERT_EQ(doc.OnSaveDocument(dir.File("p.scd"), ui), SaveOutcome::Saved);
    header = FindChildElement(xmlDocGetRootElement(Reread(dir.File("p.scd"))), "Header");
    EXPECT_EQ(xmlChildElementCount(FindChildElement(header, "History")), 2u);
}

TEST_F(SaveDocument, HeaderNumbersThatAreNoNumbersReadAsOne)
{
    LoadDocText(doc, SclDocument(""));
    EXPECT_EQ(doc.ReadHeaderVersion(), std::make_pair(1, 1));
    LoadDocText(doc, "<SCL><Header id=\"h\" version=\"3a\" revision=\"A\"/></SCL>");
    EXPECT_EQ(doc.ReadHeaderVersion(), std::make_pair(3, 1));
    LoadDocText(doc, "<SCL/>");
    EXPECT_EQ(doc.ReadHeaderVersion(), std::make_pair(1, 1));
    // Numbers beyond int are held at its ends, and the next revision proposed stays there.
    LoadDocText(doc, "<SCL><Header id=\"h\" version=\"99999999999\" revision=\"2147483647\"/></SCL>");
    EXPECT_EQ(doc.ReadHeaderVersion(), std::make_pair(INT_MAX, INT_MAX));
    doc.SetModifiedFlag(true);
    std::string proposed;
    ui.onDialog = [&](DialogModel& model) {
        proposed = dynamic_cast<CVerHistDialog&>(model).revisionText;
        return false;
    };
    EXPECT_EQ(doc.OnSaveDocument(dir.File("p.scd"), ui), SaveOutcome::Cancelled);
    EXPECT_EQ(proposed, "2147483647");
}

TEST_F(SaveDocument, CancelledVersionHistoryWritesNothingAndStopsTheAskingCommand)
{
    LoadDocText(doc, kHeaderedProject);
    doc.SetModifiedFlag(true);
    EXPECT_EQ(doc.OnSaveDocument(dir.File("p.scd"), ui), SaveOutcome::Cancelled);
    EXPECT_FALSE(FileExists(dir.File("p.scd")));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(FindChildElement(FindChildElement(doc.Root(), "Header"), "History"), nullptr);

    // "Save changes to Untitled?" Yes, a file name, then Cancel in the version history:
    // New must not discard the project.
    xmlDoc* tree = doc.XmlTree();
    ui.messageAnswers = {MessageAnswer::Yes};
    ui.saveFileNames = {dir.File("p.scd")};
    EXPECT_FALSE(doc.OnFileNew(ui));
    EXPECT_EQ(doc.XmlTree(), tree);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(FileExists(dir.File("p.scd")));
    EXPECT_EQ(ui.messages.back().text, "Save changes to Untitled?");
}

TEST_F(SaveDocument, FailedWriteLeavesTheExistingFileUntouched)
{
    LoadDocText(doc, kHeaderedProject);
    const std::string target = dir.File("p.scd");
    WriteFileText(target, "the only copy");

    SaveOutcome outcome;
    {
        FileSizeLimit limit(64);
        outcome = doc.OnSaveDocument(target, ui);
    }

    EXPECT_EQ(outcome, SaveOutcome::Failed);
    EXPECT_EQ(doc.LastSaveError(), "file too large");
    EXPECT_EQ(ReadFileText(target), "the only copy");
    EXPECT_TRUE(NoTemporaryFilesIn(dir.path()));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, "Save Document");
    EXPECT_EQ(ui.messages[0].text, "Cannot save document to file!");
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Error);

    EXPECT_EQ(doc.OnSaveDocument(dir.File("no-such-folder/p.scd"), ui), SaveOutcome::Failed);
    EXPECT_EQ(ui.messages.size(), 2u);
}

TEST_F(SaveDocument, SavingThroughALinkReplacesTheLinkedFileAndKeepsItsMode)
{
    LoadDocText(doc, kHeaderedProject);
    WriteFileText(dir.File("real.scd"), "old");
    std::filesystem::permissions(dir.File("real.scd"), std::filesystem::perms(0640));
    std::filesystem::create_symlink(dir.File("real.scd"), dir.File("link.scd"));
    ASSERT_EQ(doc.OnSaveDocument(dir.File("link.scd"), ui), SaveOutcome::Saved);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.scd")));
    EXPECT_NE(ReadFileText(dir.File("real.scd")).find("<Header"), std::string::npos);
    EXPECT_EQ(std::filesystem::status(dir.File("real.scd")).permissions(), std::filesystem::perms(0640));
}

TEST_F(SaveDocument, ATargetThatIsNoRegularFileIsRefusedAndLeftAsItIs)
{
    LoadDocText(doc, kHeaderedProject);
    // A device node of our own, so that a wrong replacement could only hit the scratch folder.
    std::string device = dir.File("null-device");
    if (mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
        if (geteuid() == 0) GTEST_SKIP() << "cannot make a device node: " << std::strerror(errno);
        device = "/dev/null";
    }
    ASSERT_EQ(mkfifo(dir.File("fifo").c_str(), 0644), 0);
    std::filesystem::create_symlink(device, dir.File("to-device"));
    std::filesystem::create_symlink(dir.File("missing"), dir.File("dangling"));
    std::filesystem::create_symlink(dir.File("loop-b"), dir.File("loop-a"));
    std::filesystem::create_symlink(dir.File("loop-a"), dir.File("loop-b"));
    std::filesystem::create_directory(dir.File("folder"));
    const struct {
        const char* name;
        const char* reason;
    } targets[] = {
        {"fifo", "not a regular file"},
        {"to-device", "not a regular file"},
        {"dangling", "dangling symbolic link"},
        {"loop-a", "too many levels of symbolic links"},
        {"folder", "not a regular file"},
    };
    for (const auto& target : targets) {
        const std::string path = dir.File(target.name);
        const std::string before = EntryOf(path), deviceBefore = EntryOf(device);
        ui.messages.clear();
        EXPECT_EQ(doc.OnSaveDocument(path, ui), SaveOutcome::Failed) << target.name;
        EXPECT_EQ(doc.LastSaveError(), target.reason) << target.name;
        ASSERT_EQ(ui.messages.size(), 1u) << target.name;
        EXPECT_EQ(ui.messages[0].text, "Cannot save document to file!");
        EXPECT_EQ(EntryOf(path), before) << target.name;
        EXPECT_EQ(EntryOf(device), deviceBefore) << target.name;
    }
    EXPECT_FALSE(FileExists(dir.File("missing")));
    EXPECT_TRUE(NoTemporaryFilesIn(dir.path()));
}

TEST_F(SaveDocument, AFileWithTwoNamesIsWrittenInPlaceAndFailsBeforeItsFirstByte)
{
    LoadDocText(doc, kHeaderedProject);
    WriteFileText(dir.File("p.scd"), "the only copy");
    std::filesystem::create_hard_link(dir.File("p.scd"), dir.File("alias.scd"));
    {
        FileSizeLimit limit(64);
        EXPECT_EQ(doc.OnSaveDocument(dir.File("p.scd"), ui), SaveOutcome::Failed);
    }
    EXPECT_EQ(doc.LastSaveError(), "file too large");
    EXPECT_EQ(ReadFileText(dir.File("alias.scd")), "the only copy");

    ASSERT_EQ(doc.OnSaveDocument(dir.File("p.scd"), ui), SaveOutcome::Saved);
    EXPECT_EQ(std::filesystem::hard_link_count(dir.File("p.scd")), 2u);
    EXPECT_NE(ReadFileText(dir.File("alias.scd")).find("<Header"), std::string::npos);
    EXPECT_EQ(ReadFileText(dir.File("alias.scd")), ReadFileText(dir.File("p.scd")));
    EXPECT_TRUE(NoTemporaryFilesIn(dir.path()));
}

TEST_F(SaveDocument, NoTreeMeansNoSaveAndNoMessage)
{
    EXPECT_EQ(doc.OnSaveDocument(dir.File("x.scd"), ui), SaveOutcome::Failed);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(FileExists(dir.File("x.scd")));
}

// The three report options that older SCL versions do not know.
std::string ReportProject(const std::string& rootAttributes)
{
    return SclDocument(
        "<IED name=\"P1\"><AccessPoint name=\"AP1\"><Server><LDevice inst=\"LD0\">"
        "<LN0 lnClass=\"LLN0\" inst=\"\" lnType=\"T\"><ReportControl name=\"r\" indexed=\"true\" rptID=\"\">"
        "<TrgOps gi=\"true\" dchg=\"true\"/><OptFields bufOvfl=\"true\" seqNum=\"true\"/></ReportControl>"
        "</LN0></LDevice></Server></AccessPoint></IED>",
        rootAttributes);
}

xmlNode* FirstReport(CVarnholtDoc& doc)
{
    xmlNode* node = FindChildElement(doc.Root(), "IED");
    for (const char* name : {"AccessPoint", "Server", "LDevice", "LN0", "ReportControl"})
        node = FindChildElement(node, name);
    return node;
}

TEST_F(SaveDocument, OlderVersionsLoseTheNewerReportOptions)
{
    for (const char* root : {"", "version=\"2007\"", "version=\"1999\""}) {
        LoadDocText(doc, ReportProject(root));
        doc.StripReportOptionAttributes();
        xmlNode* report = FirstReport(doc);
        EXPECT_STREQ(GetAttribute(report, "indexed"), "") << root;
        EXPECT_STREQ(GetAttribute(FindChildElement(report, "TrgOps"), "gi"), "") << root;
        EXPECT_STREQ(GetAttribute(FindChildElement(report, "TrgOps"), "dchg"), "true") << root;
        EXPECT_STREQ(GetAttribute(FindChildElement(report, "OptFields"), "bufOvfl"), "") << root;
        EXPECT_STREQ(GetAttribute(FindChildElement(report, "OptFields"), "seqNum"), "true") << root;
    }
    for (const char* root : {"version=\"2008\"", "version=\"2009\""}) {
        LoadDocText(doc, ReportProject(root));
        doc.StripReportOptionAttributes();
        xmlNode* report = FirstReport(doc);
        EXPECT_STREQ(GetAttribute(report, "indexed"), "true") << root;
        EXPECT_STREQ(GetAttribute(FindChildElement(report, "TrgOps"), "gi"), "true") << root;
        EXPECT_STREQ(GetAttribute(FindChildElement(report, "OptFields"), "bufOvfl"), "true") << root;
    }
}

// Stands in for the project tree: reports a fixed set of used template ids.
class UsedIdsView : public DocumentView {
public:
    explicit UsedIdsView(UsedTypeIds ids) : ids_(std::move(ids)) {}
    bool CollectUsedTypeIds(UsedTypeIds& ids) override
    {
        ids = ids_;
        return true;
    }

private:
    UsedTypeIds ids_;
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
    // Without a project tree nothing is known to be unused.
    doc.PurgeUnusedTypes();
    EXPECT_EQ(xmlChildElementCount(doc.TemplatesElement()), 8u);

    UsedTypeIds used;
    used[TemplateKind::LNodeType].Add("T1");
    used[TemplateKind::DOType].Add("D1");
    UsedIdsView view(used);
    doc.AddView(&view);
    doc.PurgeUnusedTypes();
    doc.RemoveView(&view);

    std::vector<std::string> left;
    for (xmlNode* type : ElementChildren(doc.TemplatesElement()))
        left.push_back(std::string(GetAttribute(type, "id")) + GetAttribute(type, "desc"));
    EXPECT_EQ(left, (std::vector<std::string>{"T1", "T3first", "", "D1"}));
    EXPECT_EQ(doc.FindLNodeType("T2"), nullptr);
    EXPECT_EQ(doc.FindLNodeType("T3"), nullptr);
    EXPECT_EQ(doc.FindEnumType("E1"), nullptr);
    EXPECT_NE(doc.FindDOType("D1"), nullptr);
    EXPECT_EQ(doc.Types().Anchor(TemplateKind::EnumType), nullptr);
    // The last DOType went: types merged later follow the last one left.
    EXPECT_EQ(doc.Types().Anchor(TemplateKind::DOType), doc.FindDOType("D1"));
}

}  // namespace

namespace {

TEST(SaveEncoding, FileIsWrittenInTheEncodingItWasReadIn)
{
    TempDir dir;
    std::string latin1 = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
                         "<SCL xmlns=\"http://www.iec.ch/61850/2003/SCL\"><Header id=\"h\"/>"
                         "<Substation name=\"Gr\xFCnwald\"><VoltageLevel name=\"V\"><Bay name=\"B\"/></VoltageLevel>"
                         "</Substation></SCL>\n";
    WriteFileText(dir.File("in.scd"), latin1);
    CVarnholtDoc doc;
    FakeUi ui;
    ASSERT_TRUE(doc.OnOpenDocument(dir.File("in.scd"), ui));
    ASSERT_EQ(doc.OnSaveDocument(dir.File("out.scd"), ui), SaveOutcome::Saved);
    std::string saved = ReadFileText(dir.File("out.scd"));
    EXPECT_NE(saved.find("encoding=\"ISO-8859-1\""), std::string::npos) << saved;
    EXPECT_NE(saved.find("name=\"Gr\xFCnwald\""), std::string::npos) << saved;
}

}  // namespace
