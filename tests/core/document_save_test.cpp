#include "core/varnholt_doc.h"
#include "core/xml_parse.h"
#include "core_fixture.h"
#include "support/fake_ui.h"

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <climits>
#include <cstring>

namespace {

const char* kHeaderedProject =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<SCL xmlns=\"http://www.iec.ch/61850/2003/SCL\">"
    "<Header id=\"p\" version=\"3\" revision=\"7\"><Text>notes</Text></Header>"
    "<Substation name=\"S1\"><VoltageLevel name=\"V1\"><Bay name=\"B1\"/></VoltageLevel></Substation>"
    "</SCL>";

// A write that runs out of room part-way, like a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        EXPECT_EQ(getrlimit(RLIMIT_FSIZE, &old_), 0);
        rlimit small = old_;
        small.rlim_cur = bytes;
        oldHandler_ = signal(SIGXFSZ, SIG_IGN);
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    }
    ~FileSizeLimit()
    {
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &old_), 0);
        signal(SIGXFSZ, oldHandler_);
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

std::vector<std::string> AttributeNames(const xmlNode* element)
{
    std::vector<std::string> names;
    for (const xmlAttr* attr = element->properties; attr; attr = attr->next)
        names.emplace_back(reinterpret_cast<const char*>(attr->name));
    return names;
}

class SaveDocument : public ::testing::Test {
protected:
    // The Header of the saved file, parsed again.
    xmlNode* SavedHeader(const std::string& path)
    {
        std::string error;
        reread.reset(ParseXmlFile(path, &error));
        EXPECT_NE(reread, nullptr) << error;
        return FindChildElement(xmlDocGetRootElement(reread.get()), "Header");
    }

    CVarnholtDoc doc;
    FakeUi ui;
    TempDir dir;
    TreePtr reread{nullptr, xmlFreeDoc};
};

TEST_F(SaveDocument, NewProjectIsTheValidTemplateAndSavesWithoutHistory)
{
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_TRUE(doc.IsValid());
    EXPECT_FALSE(doc.IsModified());
    ASSERT_EQ(doc.OnSaveDocument(dir.File("new.scd"), ui), SaveOutcome::Saved);
    EXPECT_TRUE(ui.dialogsShown.empty());
    std::string text = ReadFileText(dir.File("new.scd"));
    EXPECT_EQ(text.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<SCL", 0), 0u) << text;  // plain, not compressed
    EXPECT_NE(text.find("\n    <VoltageLevel "), std::string::npos) << text;
    EXPECT_EQ(text.find("History"), std::string::npos);
}

TEST_F(SaveDocument, ModifiedDocumentGetsAVersionHistoryEntry)
{
    LoadDocText(doc, kHeaderedProject);
    doc.SetModifiedFlag(true);
    ui.onDialog = [](DialogModel& model) {
        auto& dialog = dynamic_cast<CVerHistDialog&>(model);
        EXPECT_EQ(dialog.versionText + "." + dialog.revisionText, "3.8");
        dialog.userName = "engineer";
        dialog.changeDescription = "Added P2";
        dialog.revisionText = "9";
        return dialog.Accept().empty();
    };
    ASSERT_EQ(doc.OnSaveDocument(dir.File("p.scd"), ui), SaveOutcome::Saved);
    EXPECT_FALSE(doc.IsModified());

    xmlNode* header = SavedHeader(dir.File("p.scd"));
    EXPECT_STREQ(GetAttribute(header, "revision"), "9");
    EXPECT_EQ(AttributeNames(header), (std::vector<std::string>{"id", "version", "revision", "toolID"}));
    ASSERT_TRUE(IsElementNamed(header->last, "History"));
    xmlNode* hitem = FindChildElement(header->last, "Hitem");
    EXPECT_EQ(AttributeNames(hitem), (std::vector<std::string>{"version", "revision", "when", "who", "what", "why"}));
    EXPECT_STREQ(GetAttribute(hitem, "revision"), "9");
    EXPECT_STREQ(GetAttribute(hitem, "who"), "engineer");
    EXPECT_STREQ(GetAttribute(hitem, "what"), "Added P2");
    EXPECT_TRUE(HasShape(GetAttribute(hitem, "when"), "9999-99-99 99:99"));

    // A second save appends a second entry to the same History.
    doc.SetModifiedFlag(true);
    ui.onDialog = [](DialogModel&) { return true; };
    ASSERT_EQ(doc.OnSaveDocument(dir.File("p.scd"), ui), SaveOutcome::Saved);
    EXPECT_EQ(xmlChildElementCount(FindChildElement(SavedHeader(dir.File("p.scd")), "History")), 2u);
}

TEST_F(SaveDocument, HeaderNumbersAreReadAsLeadingIntegersHeldWithinInt)
{
    const struct {
        std::string text;
        int version, revision;
    } cases[] = {
        {SclDocument(""), 1, 1},
        {"<SCL/>", 1, 1},
        {"<SCL><Header id=\"h\" version=\"3a\" revision=\"A\"/></SCL>", 3, 1},
        {"<SCL><Header id=\"h\" version=\"99999999999\" revision=\"2147483647\"/></SCL>", INT_MAX, INT_MAX},
    };
    for (const auto& c : cases) {
        LoadDocText(doc, c.text);
        EXPECT_EQ(doc.ReadHeaderVersion(), std::make_pair(c.version, c.revision)) << c.text;
    }
    // The next revision proposed stays at the end of int.
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
    EXPECT_EQ(ElementAt(doc.Root(), {"Header", "History"}), nullptr);
    // "Save changes to Untitled?" Yes, a file name, then Cancel in the version history:
    // New must not discard the project.
    xmlDoc* tree = doc.XmlTree();
    ui.messageAnswers = {MessageAnswer::Yes};
    ui.saveFileNames = {dir.File("p.scd")};
    EXPECT_FALSE(doc.OnFileNew(ui));
    EXPECT_EQ(doc.XmlTree(), tree);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(NamesIn(dir.path()).empty());
}

TEST_F(SaveDocument, FailedWriteLeavesTheExistingFileUntouched)
{
    LoadDocText(doc, kHeaderedProject);
    WriteFileText(dir.File("p.scd"), "the only copy");
    WriteFileText(dir.File("q.scd"), "the only copy");
    std::filesystem::create_hard_link(dir.File("q.scd"), dir.File("alias.scd"));
    // A file with one name is replaced; one with two is written in place, failing before its first byte.
    for (const char* name : {"p.scd", "q.scd"}) {
        ui.messages.clear();
        {
            FileSizeLimit limit(64);
            EXPECT_EQ(doc.OnSaveDocument(dir.File(name), ui), SaveOutcome::Failed);
        }
        EXPECT_EQ(doc.LastSaveError(), "file too large");
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, "Cannot save document to file!");
        EXPECT_EQ(ReadFileText(dir.File(name)), "the only copy");
    }
    EXPECT_EQ(NamesIn(dir.path()), (std::vector<std::string>{"alias.scd", "p.scd", "q.scd"}));
    EXPECT_EQ(doc.OnSaveDocument(dir.File("no-such-folder/p.scd"), ui), SaveOutcome::Failed);

    ASSERT_EQ(doc.OnSaveDocument(dir.File("q.scd"), ui), SaveOutcome::Saved);
    EXPECT_EQ(std::filesystem::hard_link_count(dir.File("q.scd")), 2u);
    EXPECT_NE(ReadFileText(dir.File("alias.scd")).find("<Header"), std::string::npos);
    EXPECT_EQ(NamesIn(dir.path()), (std::vector<std::string>{"alias.scd", "p.scd", "q.scd"}));
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
    EXPECT_EQ(doc.OnSaveDocument(dir.File("x.scd"), ui), SaveOutcome::Failed);  // no tree: no message
    EXPECT_TRUE(ui.messages.empty());
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
    const std::vector<std::string> names = NamesIn(dir.path());
    const std::pair<const char*, const char*> targets[] = {
        {"fifo", "not a regular file"},
        {"to-device", "not a regular file"},
        {"dangling", "dangling symbolic link"},
        {"loop-a", "too many levels of symbolic links"},
        {"folder", "not a regular file"},
    };
    for (const auto& [name, reason] : targets) {
        const std::string before = EntryOf(dir.File(name)), deviceBefore = EntryOf(device);
        EXPECT_EQ(doc.OnSaveDocument(dir.File(name), ui), SaveOutcome::Failed) << name;
        EXPECT_EQ(doc.LastSaveError(), reason) << name;
        EXPECT_EQ(EntryOf(dir.File(name)), before) << name;
        EXPECT_EQ(EntryOf(device), deviceBefore) << name;
    }
    EXPECT_EQ(ui.messages.size(), std::size(targets));
    EXPECT_EQ(NamesIn(dir.path()), names);
}

TEST_F(SaveDocument, OlderVersionsLoseTheNewerReportOptions)
{
    const std::pair<const char*, std::string> cases[] = {
        {"", ""}, {"version=\"2007\"", ""}, {"version=\"1999\"", ""}, {"version=\"2008\"", "true"}, {"version=\"2009\"", "true"}};
    for (const auto& [root, kept] : cases) {
        LoadDocText(doc, SclDocument(ServerOf(Lln0Of("<ReportControl name=\"r\" indexed=\"true\" rptID=\"\">"
                                                      "<TrgOps gi=\"true\" dchg=\"true\"/>"
                                                      "<OptFields bufOvfl=\"true\" seqNum=\"true\"/></ReportControl>")),
                                     root));
        doc.StripReportOptionAttributes();
        xmlNode* report = ElementAt(doc.Root(), {"IED", "AccessPoint", "Server", "LDevice", "LN0", "ReportControl"});
        EXPECT_EQ(GetAttribute(report, "indexed"), kept) << root;
        EXPECT_EQ(GetAttribute(FindChildElement(report, "TrgOps"), "gi"), kept) << root;
        EXPECT_EQ(GetAttribute(FindChildElement(report, "OptFields"), "bufOvfl"), kept) << root;
        EXPECT_STREQ(GetAttribute(FindChildElement(report, "TrgOps"), "dchg"), "true") << root;
        EXPECT_STREQ(GetAttribute(FindChildElement(report, "OptFields"), "seqNum"), "true") << root;
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
    EXPECT_EQ(doc.FindLNodeType("T3"), nullptr);
    EXPECT_EQ(doc.Types().Anchor(TemplateKind::EnumType), nullptr);
    // The last DOType went: types merged later follow the last one left.
    EXPECT_EQ(doc.Types().Anchor(TemplateKind::DOType), doc.FindDOType("D1"));
}

TEST_F(SaveDocument, FileIsWrittenInTheEncodingItWasReadIn)
{
    WriteFileText(dir.File("in.scd"), "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
                                      "<SCL xmlns=\"http://www.iec.ch/61850/2003/SCL\"><Header id=\"h\"/>"
                                      "<Substation name=\"Gr\xFCnwald\"><VoltageLevel name=\"V\"><Bay name=\"B\"/>"
                                      "</VoltageLevel></Substation></SCL>\n");
    ASSERT_TRUE(doc.OnOpenDocument(dir.File("in.scd"), ui));
    ASSERT_EQ(doc.OnSaveDocument(dir.File("out.scd"), ui), SaveOutcome::Saved);
    std::string saved = ReadFileText(dir.File("out.scd"));
    EXPECT_NE(saved.find("encoding=\"ISO-8859-1\""), std::string::npos) << saved;
    EXPECT_NE(saved.find("name=\"Gr\xFCnwald\""), std::string::npos) << saved;
}

}  // namespace
