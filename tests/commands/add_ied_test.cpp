#include "core/ied_file.h"
#include "import_fixture.h"

namespace {

using Lines = std::vector<std::string>;

// An IED "X" whose types equal those of tests/data/one_ied.scd, with two inputs: one
// from itself, one from P1.
const char* kTemplates = R"(<DataTypeTemplates>
    <LNodeType id="LLN0_T" lnClass="LLN0"><DO name="Mod" type="INC_T"/></LNodeType>
    <LNodeType id="GGIO_T" lnClass="GGIO"><DO name="Ind1" type="SPS_T"/></LNodeType>
    <DOType id="INC_T" cdc="INC"><DA name="stVal" fc="ST" bType="INT32"/></DOType>
    <DOType id="SPS_T" cdc="SPS"><DA name="stVal" fc="ST" bType="BOOLEAN" dchg="true"/></DOType>
  </DataTypeTemplates>)";

std::string IedX(const std::string& name = "X")
{
    return R"(<IED name=")" + name + R"(">
    <AccessPoint name="AP1"><Server><Authentication/><LDevice inst="LD0">
      <LN0 lnClass="LLN0" inst="" lnType="LLN0_T"><Inputs>
        <ExtRef iedName=")" + name + R"(" ldInst="LD0" lnClass="GGIO" lnInst="1" doName="Ind1" daName="stVal" intAddr="NI1"/>
        <ExtRef iedName="P1" ldInst="LD0" lnClass="GGIO" lnInst="1" doName="Ind1" daName="stVal" intAddr="NI2"/>
      </Inputs></LN0>
      <LN lnClass="GGIO" inst="1" lnType="GGIO_T"/>
    </LDevice></Server></AccessPoint>
  </IED>)";
}

class AddIED : public ImportTest {
protected:
    void SetUp() override { LoadProject(ReadFileText(TestDataPath("one_ied.scd"))); }
};

TEST_F(AddIED, PlacesTheIEDAndAMadeConnectedAPUnderTheChosenNames)
{
    ImportResult result = Add(WriteFile(IedX() + kTemplates, R"(version="2007" revision="B")"),
                              [](CAddIEDDialog& dialog) { dialog.iedName = "P2"; });
    ASSERT_EQ(result.outcome, ImportOutcome::Done);
    for (const MergedType& type : result.types) EXPECT_EQ(type.outcome, TypeMergeOutcome::Shared) << type.fileId;

    xmlNode* root = doc.Root();
    xmlNode* ied = FindIEDElement(root, "P2");
    ASSERT_TRUE(ied);
    EXPECT_EQ(ied->prev, FindIEDElement(root, "P1"));
    xmlNode* connectedAP = FindConnectedAPOfIED(doc.XmlTree(), "P2");
    EXPECT_STREQ(GetAttribute(connectedAP, "apName"), "AP1");
    EXPECT_STREQ(GetAttribute(connectedAP->parent, "name"), "N1");
    Lines address;
    for (xmlNode* p : ElementChildren(FindChildElement(connectedAP, "Address")))
        address.push_back(std::string(GetAttribute(p, "type")) + "=" + GetElementText(p));
    EXPECT_EQ(address, (Lines{"IP=0.0.0.0", "IP-SUBNET=0.0.0.0", "IP-GATEWAY=0.0.0.0"}));
    // Made elements are in the SCL namespace and copies repeat no declaration.
    const std::string text = DocumentText();
    EXPECT_EQ(text.find("xmlns", text.find("<Header")), std::string::npos);

    // The inputs of the renamed IED follow its name; the file's wiring is kept.
    xmlNode* inputs = FindChildElement(FindChildElement(FindChildElement(FindChildElement(
                          FindChildElement(FindChildElement(ied, "AccessPoint"), "Server"), "LDevice"), "LN0"),
                          "Inputs"), "ExtRef");
    EXPECT_STREQ(GetAttribute(inputs, "iedName"), "P2");
    EXPECT_STREQ(GetAttribute(inputs->next, "iedName"), "P1");

    EXPECT_STREQ(GetAttribute(root, "version"), "2007");
    EXPECT_STREQ(GetAttribute(root, "revision"), "B");
    EXPECT_TRUE(doc.IsValid());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(view.Selected(), FindRootItem("IED: P2"));
    EXPECT_EQ(FindRootItem("IED: P1")->NextSibling(), FindRootItem("IED: P2"));
    TreeItem* subnetwork = FindRootItem("Communication")->FirstChild();
    EXPECT_EQ(subnetwork->Child(subnetwork->ChildCount() - 1)->Label(), "ConnectedAP: IED: P2 AP: AP1");
}

TEST_F(AddIED, RefusalsAndCancelsLeaveTheProjectAsItWas)
{
    const std::string before = DocumentText();
    std::string invalid = WriteFile(IedX() + "<Bogus/>" + kTemplates);
    std::string noIED = WriteFile(kTemplates);
    std::string danglingDataset = IedX() + kTemplates;
    danglingDataset.insert(danglingDataset.find("<Inputs>"), R"(<ReportControl name="r" datSet="none" rptID="r" confRev="1"><OptFields/></ReportControl>)");
    std::string notXml = dir.File("broken.icd");
    WriteFileText(notXml, "<SCL><IED>");
    struct Case {
        std::string name, path, answerName;
        bool continueAfterFindings;
        ImportOutcome outcome;
        Lines messages;
        std::string logTitle = "";
    } cases[] = {
        {"not XML", notXml, "P2", false, ImportOutcome::Unreadable, {"Add IED: Invalid file format!"}},
        {"findings, No", invalid, "P2", false, ImportOutcome::Cancelled, {}, "XML Parser Log"},
        {"findings, Yes, then Cancel", invalid, "P1", true, ImportOutcome::Cancelled, {}, "XML Parser Log"},
        {"dataset missing, No", WriteFile(danglingDataset), "P2", false, ImportOutcome::Cancelled, {},
         "Dataset references verification"},
        {"no IED", noIED, "P2", false, ImportOutcome::Refused, {"Add IED: The file holds no IED!"}},
        {"the name is taken", WriteFile(IedX() + kTemplates), "P1", false, ImportOutcome::Cancelled, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui.messages.clear();
        logTitles.clear();
        std::string name = c.answerName;
        ImportResult result = Add(c.path, [&](CAddIEDDialog& dialog) { dialog.iedName = name; }, c.continueAfterFindings);
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(MessageTexts(), c.messages);
        EXPECT_EQ(logTitles.empty() ? "" : logTitles.back(), c.logTitle);
        EXPECT_EQ(DocumentText(), before);
        EXPECT_FALSE(doc.IsModified());
        EXPECT_TRUE(doc.IsValid());
    }
    // Yes to the dataset findings imports the IED into a project no longer valid.
    EXPECT_EQ(Add(WriteFile(danglingDataset), [](CAddIEDDialog& dialog) { dialog.iedName = "P2"; }, true).outcome,
              ImportOutcome::Done);
    EXPECT_FALSE(doc.IsValid());
}

TEST_F(AddIED, DialogRefusesTakenAndEmptyNamesAndOffersTheFileIEDs)
{
    CAddIEDDialog dialog({"P1"}, {"N1", "N2"}, "N2", {"Client", "Relay"}, 1);
    EXPECT_EQ(dialog.iedName, "Relay");
    EXPECT_EQ(dialog.SubNetworkName(), "N2");
    EXPECT_TRUE(dialog.OffersFileIEDs());
    dialog.iedName = "P1";
    EXPECT_EQ(dialog.Accept(), "IED P1 is already configured!");
    dialog.iedName = "";
    EXPECT_NE(dialog.Accept(), "");
    dialog.SelectFileIED(0);
    EXPECT_EQ(dialog.iedName, "Client");
    EXPECT_EQ(dialog.Accept(), "");
    CAddIEDDialog single({}, {"N1"}, "elsewhere", {"Relay"}, 0);
    EXPECT_EQ(single.SubNetworkName(), "N1");
    EXPECT_FALSE(single.OffersFileIEDs());
}

// A CID exported with the clients of its reports: the device is the IED with a
// server, and its own ConnectedAP is taken even where another IED's comes first.
TEST_F(AddIED, MultiIEDFileImportsTheDeviceWithItsOwnConnectedAP)
{
    std::string path = WriteFile(R"(<Communication><SubNetwork name="W">
        <ConnectedAP iedName="Client" apName="C1"/>
        <ConnectedAP iedName="X" apName="AP1"><Address><P type="IP">10.0.0.9</P></Address></ConnectedAP>
      </SubNetwork></Communication>
      <IED name="Client"><AccessPoint name="C1"/></IED>)" + IedX() + kTemplates);
    ImportResult result = Add(path);
    ASSERT_EQ(result.outcome, ImportOutcome::Done);
    EXPECT_EQ(result.iedName, "X");
    xmlNode* connectedAP = FindConnectedAPOfIED(doc.XmlTree(), "X");
    EXPECT_EQ(GetElementText(FindChildElement(FindChildElement(connectedAP, "Address"), "P")), "10.0.0.9");
    EXPECT_FALSE(FindIEDElement(doc.Root(), "Client"));
}

// A project with neither IED nor Communication takes the IED where the schema wants
// it, and the log says that its addresses had nowhere to go.
TEST_F(AddIED, ProjectWithoutCommunicationStillGetsTheIED)
{
    LoadProject(ReadFileText(TestDataPath("minimal.scd")));
    ImportResult result = Add(WriteFile(IedX() + kTemplates, R"(version="2007")"));
    ASSERT_EQ(result.outcome, ImportOutcome::Done);
    Lines names;
    for (xmlNode* child : ElementChildren(doc.Root())) names.push_back(std::string(ElementName(child)));
    EXPECT_EQ(names, (Lines{"Header", "Substation", "IED", "DataTypeTemplates"}));
    EXPECT_EQ(result.log.front(),
              "Error: the project has no subnetwork: the addresses of access point AP1 of IED X were not added");
    EXPECT_EQ(logShown, result.log);
    EXPECT_EQ(FindRootItem("Substation")->NextSibling(), FindRootItem("IED: X"));
    EXPECT_FALSE(xmlHasProp(doc.Root(), Xml("revision")));
    EXPECT_TRUE(doc.IsValid());
}

TEST_F(AddIED, CommandsAskForTheirKindOfFile)
{
    EXPECT_EQ(OnAddIED(view, ui).outcome, ImportOutcome::Cancelled);
    EXPECT_EQ(OnUpdateIED(view, ui).outcome, ImportOutcome::Refused);  // no IED selected
    view.Select(FindRootItem("IED: P1"));
    ui.openFileNames.push_back(TestDataPath("one_ied.scd"));
    ui.onDialog = [](DialogModel&) { return true; };
    EXPECT_EQ(OnUpdateIED(view, ui).outcome, ImportOutcome::Done);
    ASSERT_EQ(ui.fileRequests.size(), 2u);
    EXPECT_EQ(ui.fileRequests[0].defaultExtension, ".icd");
    EXPECT_EQ(ui.fileRequests[1].defaultExtension, ".iid");
}

}  // namespace
