#include "document/xml_parse.h"
#include "import/ied_file.h"
#include "import_fixture.h"

#include <sstream>

namespace {

using Lines = std::vector<std::string>;

const char* kTemplates = R"(<DataTypeTemplates>
    <LNodeType id="LLN0_T" lnClass="LLN0"><DO name="Mod" type="INC_T"/></LNodeType>
    <LNodeType id="GGIO_T" lnClass="GGIO"><DO name="Ind1" type="SPS_T"/></LNodeType>
    <DOType id="INC_T" cdc="INC"><DA name="stVal" fc="ST" bType="INT32"/></DOType>
    <DOType id="SPS_T" cdc="SPS"><DA name="stVal" fc="ST" bType="BOOLEAN" dchg="true"/></DOType>
  </DataTypeTemplates>)";

std::string ConnectedAP(const std::string& ied, const std::string& ap, const std::string& ip)
{
    return R"(<ConnectedAP iedName=")" + ied + R"(" apName=")" + ap + R"("><Address><P type="IP">)" + ip +
           "</P></Address></ConnectedAP>";
}

// Two access points (the second named `ap2`, none when ""); the first holds logical
// device `ld` with two inputs, one from the IED itself and one from P1.
std::string Ied(const std::string& name, const std::string& ld = "LD0", const std::string& ap2 = "AP2")
{
    return R"(<IED name=")" + name + R"("><AccessPoint name="AP1"><Server><Authentication/><LDevice inst=")" + ld +
           R"("><LN0 lnClass="LLN0" inst="" lnType="LLN0_T"><Inputs>
        <ExtRef iedName=")" + name + R"(" ldInst="LD0" lnClass="GGIO" lnInst="1" doName="Ind1" daName="stVal" intAddr="NI1"/>
        <ExtRef iedName="P1" ldInst="LD0" lnClass="GGIO" lnInst="1" doName="Ind1" daName="stVal" intAddr="NI2"/>
      </Inputs></LN0><LN lnClass="GGIO" inst="1" lnType="GGIO_T"/></LDevice></Server></AccessPoint>)" +
           (ap2.empty() ? "" : "<AccessPoint name=\"" + ap2 + "\"/>") + "</IED>";
}

std::string OutlineOf(const CVarnholtView& view)
{
    std::ostringstream text;
    WriteTreeOutline(view, text);
    return text.str();
}

// The templates with an operate-received DA, valid from edition 2 on.
std::string Edition2Templates()
{
    std::string types = kTemplates;
    return types.insert(types.find("</DOType>"), R"(<DA name="opRcvd" fc="OR" bType="BOOLEAN"/>)");
}

// P1 has two access points, each connected on its own subnetwork; P3 is connected nowhere.
class IEDImport : public ImportTest {
protected:
    void SetUp() override
    {
        LoadProject(SclDocument("<Communication><SubNetwork name=\"N1\">" + ConnectedAP("P1", "AP1", "10.0.0.1") +
                                "</SubNetwork><SubNetwork name=\"N2\">" + ConnectedAP("P1", "AP2", "10.0.0.2") +
                                "</SubNetwork></Communication>" + Ied("P1", "OLD") + Ied("P3") + kTemplates));
    }
    // "subnetwork iedName/apName IP" of every ConnectedAP, from the document or from the
    // elements of the tree's items.
    static std::string Describe(const xmlNode* network, const xmlNode* connectedAP)
    {
        return std::string(GetAttribute(network, "name")) + " " + GetAttribute(connectedAP, "iedName") + "/" +
               GetAttribute(connectedAP, "apName") + " " +
               GetElementText(FindChildElement(FindChildElement(connectedAP, "Address"), "P"));
    }
    Lines ConnectedAPs() const
    {
        Lines lines;
        for (xmlNode* network : ElementChildren(FindChildElement(doc.Root(), "Communication")))
            for (xmlNode* connectedAP : ElementChildren(network)) lines.push_back(Describe(network, connectedAP));
        return lines;
    }
    Lines ConnectedAPItems() const
    {
        Lines lines;
        for (TreeItem* network = FindRootItem("Communication")->FirstChild(); network; network = network->NextSibling())
            for (TreeItem* item = network->FirstChild(); item; item = item->NextSibling())
                lines.push_back(Describe(view.Record(network)->node, view.Record(item)->node));
        return lines;
    }
    std::string AddressOf(const std::string& iedName, const std::string& ap) const
    {
        for (xmlNode* network : ElementChildren(FindChildElement(doc.Root(), "Communication")))
            for (xmlNode* connectedAP : ElementChildren(network))
                if (GetAttribute(connectedAP, "iedName") == iedName && GetAttribute(connectedAP, "apName") == ap)
                    return GetElementText(FindChildElement(FindChildElement(connectedAP, "Address"), "P"));
        return "";
    }
};

// Add IED places the IED last and a made ConnectedAP of its first access point in the
// first subnetwork, under the chosen name; the inputs from itself follow the name.
// A file with several IEDs gives the one with a server and its own ConnectedAP.
TEST_F(IEDImport, AddPlacesTheIEDAndItsConnectedAP)
{
    ImportResult result = Add(WriteFile(Ied("X") + kTemplates, R"(version="2007" revision="B")"), "P2");
    ASSERT_EQ(result.outcome, ImportOutcome::Done);
    for (const MergedType& type : result.types) EXPECT_EQ(type.outcome, TypeMergeOutcome::Shared) << type.fileId;
    xmlNode* root = doc.Root();
    xmlNode* ied = FindIEDElement(root, "P2");
    ASSERT_TRUE(ied);
    EXPECT_EQ(ied->prev, FindIEDElement(root, "P3"));
    std::vector<ConnectedAPAt> connectedAPs = ConnectedAPsOfIED(doc.Root(), "P2");
    ASSERT_EQ(connectedAPs.size(), 1u);
    xmlNode* connectedAP = connectedAPs.front().element;
    EXPECT_STREQ(GetAttribute(connectedAP, "apName"), "AP1");
    EXPECT_STREQ(GetAttribute(connectedAP->parent, "name"), "N1");
    EXPECT_EQ(AddressOf("P2", "AP1"), "0.0.0.0");
    // Made elements are in the SCL namespace and copies repeat no declaration.
    const std::string text = DocumentText();
    EXPECT_EQ(text.find("xmlns", text.find("<Header")), std::string::npos);
    const std::string inputs = text.substr(text.find("<IED name=\"P2\""));
    EXPECT_LT(inputs.find("iedName=\"P2\""), inputs.find("iedName=\"P1\""));
    EXPECT_STREQ(GetAttribute(root, "version"), "2007");
    EXPECT_STREQ(GetAttribute(root, "revision"), "B");
    EXPECT_TRUE(doc.IsValid());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(view.Selected(), FindRootItem("IED: P2"));
    EXPECT_EQ(FindRootItem("IED: P3")->NextSibling(), FindRootItem("IED: P2"));
    TreeItem* subnetwork = FindRootItem("Communication")->FirstChild();
    EXPECT_EQ(subnetwork->Child(subnetwork->ChildCount() - 1)->Label(), "ConnectedAP: IED: P2 AP: AP1");

    result = Add(WriteFile("<Communication><SubNetwork name=\"W\">" + ConnectedAP("Client", "C1", "9.9.9.8") +
                           ConnectedAP("X", "AP1", "10.0.0.9") + "</SubNetwork></Communication>" +
                           R"(<IED name="Client"><AccessPoint name="C1"/></IED>)" + Ied("X") + kTemplates));
    ASSERT_EQ(result.outcome, ImportOutcome::Done);
    EXPECT_EQ(result.iedName, "X");
    EXPECT_EQ(AddressOf("X", "AP1"), "10.0.0.9");
    EXPECT_FALSE(FindIEDElement(doc.Root(), "Client"));
}

// Update IED replaces the IED of the selected name, in place, and only the ConnectedAP
// of the file's access point, although the IED's last access point is connected
// elsewhere: the other keeps its address.
TEST_F(IEDImport, UpdateReplacesTheIEDAndTheConnectedAPOfTheSameAccessPoint)
{
    doc.SetValidFlag(false);
    ImportResult result = Update("P1", WriteFile("<Communication><SubNetwork name=\"F\">" +
                                                 ConnectedAP("Client", "C1", "9.9.9.8") +
                                                 ConnectedAP("P1", "AP1", "9.9.9.9") + "</SubNetwork></Communication>" +
                                                 R"(<IED name="Client"><AccessPoint name="C1"/></IED>)" +
                                                 Ied("P1", "NEW") + kTemplates));
    ASSERT_EQ(result.outcome, ImportOutcome::Done);
    EXPECT_EQ(AddressOf("P1", "AP1"), "9.9.9.9");
    EXPECT_EQ(AddressOf("P1", "AP2"), "10.0.0.2");
    xmlNode* ied = FindIEDElement(doc.Root(), "P1");
    EXPECT_EQ(ied->next, FindIEDElement(doc.Root(), "P3"));
    EXPECT_FALSE(FindIEDElement(doc.Root(), "Client"));
    EXPECT_TRUE(doc.IsValid()) << "the flag follows the project's checks";
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(view.Selected(), FindRootItem("IED: P1"));
    EXPECT_NE(SubtreeOutline(FindRootItem("IED: P1")).find("LD: NEW"), std::string::npos);
    EXPECT_EQ(FindRootItem("Communication")->FirstChild()->FirstChild()->Label(), "ConnectedAP: IED: P1 AP: AP1");
    EXPECT_EQ(DocumentText().find("OLD"), std::string::npos);
}

// Update IED shows what it will change in the IED before it does; Cancel there changes
// nothing.
TEST_F(IEDImport, UpdateShowsWhatItChangesAndCancelChangesNothing)
{
    const std::string file = WriteFile("<Communication><SubNetwork name=\"F\">" + ConnectedAP("P1", "AP1", "9.9.9.9") +
                                       "</SubNetwork></Communication>" + Ied("P1", "NEW") + kTemplates);
    const std::string before = DocumentText();
    cancelPreview = true;
    EXPECT_EQ(Update("P1", file).outcome, ImportOutcome::Cancelled);
    EXPECT_EQ(DocumentText(), before);
    EXPECT_FALSE(doc.Changes().CanUndo());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(previewLines, (std::vector<std::string>{"- IED[P1]/AccessPoint[AP1]/Server/LDevice[OLD]",
                                                      "+ IED[P1]/AccessPoint[AP1]/Server/LDevice[NEW]"}));
    cancelPreview = false;
    EXPECT_EQ(Update("P1", file).outcome, ImportOutcome::Done);
}

// Add IED and Update IED are one step each: undone, the project is as it was, byte for
// byte, with its tree; redone, as the command left it.
TEST_F(IEDImport, AddAndUpdateAreUndoneAndRedoneWhole)
{
    const std::string original = XmlText(doc.XmlTree());
    const std::string outline = OutlineOf(view);
    ASSERT_EQ(Add(WriteFile(Ied("X") + Edition2Templates(), R"(version="2007" revision="B")"), "P2").outcome,
              ImportOutcome::Done);
    view.Select(FindRootItem("IED: P1"));
    ASSERT_EQ(Update("P1", WriteFile("<Communication><SubNetwork name=\"F\">" + ConnectedAP("P1", "AP1", "9.9.9.9") +
                                     "</SubNetwork></Communication>" + Ied("P1", "NEW") + kTemplates))
                  .outcome,
              ImportOutcome::Done);
    const std::string changed = XmlText(doc.XmlTree());
    const std::string changedOutline = OutlineOf(view);
    EXPECT_EQ(doc.Changes().UndoName(), "Update IED P1");
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.Changes().UndoName(), "Add IED P2");
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(XmlText(doc.XmlTree()), original);
    EXPECT_EQ(OutlineOf(view), outline);
    EXPECT_FALSE(doc.IsModified());
    ASSERT_TRUE(doc.Redo());
    ASSERT_TRUE(doc.Redo());
    EXPECT_EQ(XmlText(doc.XmlTree()), changed);
    EXPECT_EQ(OutlineOf(view), changedOutline);
}

// An updated IED of a later edition raises the project as an added one does.
TEST_F(IEDImport, UpdateFromALaterEditionRaisesTheProject)
{
    ImportResult result = Update("P1", WriteFile("<Communication><SubNetwork name=\"F\">" +
                                                     ConnectedAP("P1", "AP1", "9.9.9.9") + "</SubNetwork></Communication>" +
                                                     Ied("P1", "NEW") + Edition2Templates(),
                                                 R"(version="2007" revision="B" release="4")"));
    ASSERT_EQ(result.outcome, ImportOutcome::Done);
    EXPECT_EQ(doc.EditionIndicatorText(), "2007B4");
    EXPECT_TRUE(doc.IsValid());
}

// Every ConnectedAP of the file's IED comes along, and only its own; the tree's items
// follow each change.
TEST_F(IEDImport, ConnectedAPsOfTheIEDComeAlong)
{
    const std::string client = R"(<IED name="Client"><AccessPoint name="C1"/></IED>)";
    std::string withAPX = Ied("P1");
    withAPX.insert(withAPX.rfind("</IED>"), R"(<AccessPoint name="APX"/>)");
    std::string firstRenamed = Ied("P1");
    firstRenamed.replace(firstRenamed.find("\"AP1\""), 5, "\"APX\"");
    auto communication = [](const std::string& networks) { return "<Communication>" + networks + "</Communication>"; };
    auto network = [](const std::string& name, const std::string& connectedAPs) {
        return "<SubNetwork name=\"" + name + "\">" + connectedAPs + "</SubNetwork>";
    };
    const struct {
        const char* what;
        std::string update;  // the IED updated, or "" to add the file's IED as P2 on N1
        std::string file;
        Lines connectedAPs;
        Lines findings = {};  // the log's warnings and placement errors
    } cases[] = {
        {"another IED's ConnectedAP is not taken", "",
         communication(network("W", ConnectedAP("Client", "C1", "9.9.9.8"))) + client + Ied("X"),
         {"N1 P1/AP1 10.0.0.1", "N1 P2/AP1 0.0.0.0", "N2 P1/AP2 10.0.0.2"}},
        {"each on the subnetwork of its name, else the chosen one", "",
         communication(network("N2", ConnectedAP("X", "AP2", "9.9.9.2")) +
                       network("W", ConnectedAP("X", "AP1", "9.9.9.1"))) + Ied("X"),
         {"N1 P1/AP1 10.0.0.1", "N1 P2/AP1 9.9.9.1", "N2 P1/AP2 10.0.0.2", "N2 P2/AP2 9.9.9.2"}},
        {"none on a subnetwork of the same access point already", "",
         communication(network("N2", ConnectedAP("X", "AP2", "9.9.9.2")) +
                       network("W", ConnectedAP("X", "AP2", "9.9.9.3")) +
                       network("V", ConnectedAP("X", "AP2", "9.9.9.4"))) + Ied("X"),
         {"N1 P1/AP1 10.0.0.1", "N1 P2/AP2 9.9.9.3", "N2 P1/AP2 10.0.0.2", "N2 P2/AP2 9.9.9.2"},
         {"Error: the project has no subnetwork \"V\": the addresses of access point AP2 of IED P2 were not added"}},
        {"a single one on the chosen subnetwork, though the project has one of its name", "",
         communication(network("N2", ConnectedAP("X", "AP1", "9.9.9.1"))) + Ied("X"),
         {"N1 P1/AP1 10.0.0.1", "N1 P2/AP1 9.9.9.1", "N2 P1/AP2 10.0.0.2"}},
        {"a ConnectedAP still named after the template takes the IED's name", "P1",
         communication(network("F", ConnectedAP("TEMPLATE", "AP1", "9.9.9.7"))) + Ied("P1"),
         {"N1 P1/AP1 9.9.9.7", "N2 P1/AP2 10.0.0.2"}},
        {"a renamed access point replaces the one on the subnetwork of the last", "P1",
         communication(network("F", ConnectedAP("P1", "APX", "9.9.9.9"))) + Ied("P1", "LD0", "APX"),
         {"N1 P1/AP1 10.0.0.1", "N2 P1/APX 9.9.9.9"}},
        {"a new access point goes on the subnetwork of its name; one the file leaves unconnected stays", "P1",
         communication(network("F", ConnectedAP("P1", "AP1", "9.9.9.1")) +
                       network("N1", ConnectedAP("P1", "APX", "9.9.9.9"))) +
             withAPX,
         {"N1 P1/AP1 9.9.9.1", "N1 P1/APX 9.9.9.9", "N2 P1/AP2 10.0.0.2"}},
        {"a renamed access point takes no ConnectedAP off a subnetwork other than the last's", "P1",
         communication(network("F", ConnectedAP("P1", "APX", "9.9.9.9")) +
                       network("G", ConnectedAP("P1", "AP2", "9.9.9.2"))) + firstRenamed,
         {"N2 P1/AP2 9.9.9.2", "N2 P1/APX 9.9.9.9"},
         {"Warning: IED P1 has no access point AP1 any more: its ConnectedAP in subnetwork N1 was removed"}},
        {"both ConnectedAPs are replaced", "P1",
         communication(network("F", ConnectedAP("P1", "AP2", "9.9.9.2")) +
                       network("G", ConnectedAP("P1", "AP1", "9.9.9.1"))) + Ied("P1"),
         {"N1 P1/AP1 9.9.9.1", "N2 P1/AP2 9.9.9.2"}},
        {"an access point gone takes its ConnectedAP along", "P1",
         communication(network("F", ConnectedAP("P1", "AP1", "9.9.9.1"))) + Ied("P1", "LD0", ""),
         {"N1 P1/AP1 9.9.9.1"},
         {"Warning: IED P1 has no access point AP2 any more: its ConnectedAP in subnetwork N2 was removed"}},
    };
    const std::string before = DocumentText();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        LoadProject(before);
        ImportResult result = c.update.empty() ? Add(WriteFile(c.file + kTemplates), "P2")
                                               : Update(c.update, WriteFile(c.file + kTemplates));
        ASSERT_EQ(result.outcome, ImportOutcome::Done);
        EXPECT_EQ(ConnectedAPs(), c.connectedAPs);
        EXPECT_EQ(ConnectedAPItems(), c.connectedAPs);
        Lines findings;
        for (const std::string& line : result.log)
            if (line.starts_with("Warning: ") || line.starts_with("Error: the project")) findings.push_back(line);
        EXPECT_EQ(findings, c.findings);
        EXPECT_TRUE(doc.IsValid());
    }
}

TEST_F(IEDImport, RefusalsAndCancelsLeaveTheProjectAsItWas)
{
    const std::string before = DocumentText();
    EXPECT_EQ(OnAddIED(view, ui).outcome, ImportOutcome::Cancelled);   // no file chosen
    EXPECT_EQ(OnUpdateIED(view, ui).outcome, ImportOutcome::Refused);  // no IED selected
    const std::string invalid = WriteFile(Ied("X") + "<Bogus/>" + kTemplates);
    std::string danglingDataset = Ied("X") + kTemplates;
    danglingDataset.insert(danglingDataset.find("<Inputs>"),
                           R"(<ReportControl name="r" datSet="none" rptID="r" confRev="1"><OptFields/></ReportControl>)");
    const std::string notXml = dir.File("broken.icd");
    WriteFileText(notXml, "<SCL><IED>");
    const std::string connectedElsewhere = "<Communication><SubNetwork name=\"F\">" +
                                           ConnectedAP("P3", "AP1", "1.1.1.1") + "</SubNetwork></Communication>";
    struct Case {
        std::string update;  // the IED updated, or "" to add with the name and the answer to go on
        std::string path, name;
        bool goOn;
        ImportOutcome outcome;
        Lines messages;
        std::string logTitle = "";
    } cases[] = {
        {"", notXml, "P2", false, ImportOutcome::Unreadable, {"Add IED: Invalid file format!"}},
        {"", invalid, "P2", false, ImportOutcome::Cancelled, {}, "XML Parser Log"},
        {"", invalid, "P1", true, ImportOutcome::Cancelled, {}, "XML Parser Log"},  // then the name is taken
        {"", WriteFile(danglingDataset), "P2", false, ImportOutcome::Cancelled, {}, "Dataset references verification"},
        {"", WriteFile(kTemplates), "P2", false, ImportOutcome::Refused, {"Add IED: The file holds no IED!"}},
        {"P1", dir.File("missing.iid"), "", false, ImportOutcome::Unreadable, {"Update IED: Invalid file format!"}},
        {"P1", invalid, "", false, ImportOutcome::Cancelled, {}, "XML Parser Log"},
        {"P1", WriteFile(Ied("Q") + kTemplates), "", false, ImportOutcome::Refused, {"Update IED: Incorrect IED name!"}},
        {"P1", WriteFile(Ied("P1") + kTemplates), "", false, ImportOutcome::Refused,
         {"Update IED: Missing Connected Access Point information!"}},
        {"P1", WriteFile(connectedElsewhere + Ied("P3") + Ied("P1") + kTemplates), "", false, ImportOutcome::Refused,
         {"Update IED: Missing Connected Access Point information!"}},
        {"P3", WriteFile(connectedElsewhere + Ied("P3") + kTemplates), "", false, ImportOutcome::Refused,
         {"Update IED: Missing Subnetwork information!"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.update + " " + c.path + " " + c.name);
        ui.messages.clear();
        logTitles.clear();
        ImportResult result = c.update.empty() ? Add(c.path, c.name, c.goOn) : Update(c.update, c.path);
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(MessageTexts(), c.messages);
        EXPECT_EQ(logTitles.empty() ? "" : logTitles.back(), c.logTitle);
        EXPECT_EQ(DocumentText(), before);
        EXPECT_FALSE(doc.IsModified());
        EXPECT_TRUE(doc.IsValid());
    }
    // Yes to the dataset findings imports the IED into a project no longer valid.
    EXPECT_EQ(Add(WriteFile(danglingDataset), "P2", true).outcome, ImportOutcome::Done);
    EXPECT_FALSE(doc.IsValid());
}

// An update that drops data another IED's inputs take lists those inputs; the inputs
// that still find their data are not listed.
TEST_F(ImportTest, UpdateListsTheInputsLeftWithoutTheirData)
{
    std::string project = ReadFileText(TestDataPath("goose_connected.scd"));
    LoadProject(project);
    std::string renamed = project;
    for (std::string ln :
         {R"(<LN lnClass="MMXU" inst="1")", R"(lnClass="MMXU" lnInst="1" doName="TotW" daName="mag" fc)"})
        renamed.replace(renamed.find(ln) + ln.find("1\""), 1, "2");
    const std::string path = dir.File("renamed.iid");
    WriteFileText(path, renamed);
    ImportResult result = Update("P1", path);
    ASSERT_EQ(result.outcome, ImportOutcome::Done);
    Lines warnings;
    for (const std::string& line : result.log)
        if (line.starts_with("Warning: ")) warnings.push_back(line);
    EXPECT_EQ(warnings, Lines{"Warning: IED R: input ANI3:01-0C-CD-01-00-01:0001:2:2:P1gcb1 (P1 LD0/MMXU1.TotW.mag) "
                              "names data that the updated IED P1 no longer has"});
}

// The project root ends with the later edition of the two, never with a revision
// that the file's version does not have.
TEST(RaiseSclVersion, TakesTheLaterEditionWhole)
{
    const struct {
        const char *project, *file, *version, *revision, *release;
    } rows[] = {
        {"", R"(version="2007" revision="B")", "2007", "B", ""},
        {R"(version="2003" revision="C")", R"(version="2007")", "2007", "", ""},
        {R"(revision="C")", R"(version="2007")", "2007", "", ""},
        {R"(version="2007" revision="B")", R"(version="2007")", "2007", "B", ""},
        {R"(version="2007" revision="A")", R"(version="2007" revision="B")", "2007", "B", ""},
        {R"(version="2007" revision="B")", R"(version="2003" revision="C")", "2007", "B", ""},
        {"", R"(revision="B")", "", "", ""},
        {"", R"(version="2007" revision="B" release="4")", "2007", "B", "4"},
        {R"(version="2007" revision="B")", R"(version="2007" revision="B" release="4")", "2007", "B", "4"},
        {R"(version="2007" revision="B" release="4")", R"(version="2007" revision="B")", "2007", "B", "4"},
        {R"(version="2007" revision="B" release="4")", R"(version="2007" revision="B" release="10")", "2007", "B",
         "10"},
        {R"(version="2007" revision="B" release="4")", R"(version="2007" revision="C")", "2007", "C", ""},
        {R"(version="2007" revision="B" release="4")", "", "2007", "B", "4"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.project) + " <- " + row.file);
        XmlDocPtr project(ParseXmlMemory("<SCL " + std::string(row.project) + "/>", nullptr, nullptr));
        XmlDocPtr file(ParseXmlMemory("<SCL " + std::string(row.file) + "/>", nullptr, nullptr));
        ASSERT_TRUE(project && file);
        xmlNode* root = xmlDocGetRootElement(project.get());
        RaiseSclVersion(root, xmlDocGetRootElement(file.get()));
        EXPECT_STREQ(GetAttribute(root, "version"), row.version);
        EXPECT_STREQ(GetAttribute(root, "revision"), row.revision);
        EXPECT_STREQ(GetAttribute(root, "release"), row.release);
    }
}

// A project with neither IED nor Communication takes the IED where the schema wants
// it, and the log says that its addresses had nowhere to go.
TEST_F(ImportTest, ProjectWithoutCommunicationStillGetsTheIED)
{
    LoadProject(ReadFileText(TestDataPath("minimal.scd")));
    ImportResult result = Add(WriteFile(Ied("X") + kTemplates, R"(version="2007" revision="B")"));
    ASSERT_EQ(result.outcome, ImportOutcome::Done);
    EXPECT_EQ(result.log.front(),
              "Error: the project has no subnetwork: the addresses of access point AP1 of IED X were not added");
    EXPECT_EQ(logShown, result.log);
    EXPECT_EQ(FindRootItem("Substation")->NextSibling(), FindRootItem("IED: X"));
    EXPECT_STREQ(GetAttribute(doc.Root(), "revision"), "B");
    EXPECT_TRUE(doc.IsValid());
}

}  // namespace

namespace {

// An IED of a later edition brings its edition into the project, which is then checked
// against that edition's schema (an operate-received DA is valid from edition 2 on); an
// IED of an earlier edition leaves the project's edition as it is.
TEST_F(ImportTest, TheProjectTakesTheLaterEditionAndItsSchema)
{
    const std::string ed2Types = Edition2Templates();
    const char* const b = R"(version="2007" revision="B")";
    const char* const b4 = R"(version="2007" revision="B" release="4")";
    const struct {
        const char* project;
        const char* file;
        bool fileOfEdition2;  // the IED's types hold the OR attribute
        const char* edition;
    } rows[] = {
        {"", b4, true, "2007B4"},
        {"", b, true, "2007B"},
        {b, b4, true, "2007B4"},
        {b4, b, true, "2007B4"},
        {b4, "", false, "2007B4"},
        {b, "", false, "2007B"},
        {"", "", false, "2003"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.project) + " <- " + row.file);
        LoadProject(SclDocument(R"(<Communication><SubNetwork name="N1"/></Communication>)", row.project));
        ImportResult result = Add(WriteFile(Ied("X") + (row.fileOfEdition2 ? ed2Types : kTemplates), row.file));
        ASSERT_EQ(result.outcome, ImportOutcome::Done);
        EXPECT_EQ(doc.EditionIndicatorText(), row.edition);
        EXPECT_EQ(EditionName(EditionOfRoot(doc.Root())), std::string(row.edition));
        EXPECT_TRUE(doc.IsValid());
        std::vector<std::string> lines;
        EXPECT_TRUE(doc.VerifySyntax(lines)) << (lines.empty() ? "" : lines.back());
    }
}

}  // namespace
