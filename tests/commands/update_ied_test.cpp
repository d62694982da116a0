#include "core/ied_file.h"
#include "import_fixture.h"

namespace {

using Lines = std::vector<std::string>;

const char* kTemplates = R"(<DataTypeTemplates>
    <LNodeType id="LLN0_T" lnClass="LLN0"><DO name="Mod" type="INC_T"/></LNodeType>
    <DOType id="INC_T" cdc="INC"><DA name="stVal" fc="ST" bType="INT32"/></DOType>
  </DataTypeTemplates>)";

std::string ConnectedAP(const std::string& ied, const std::string& ap, const std::string& ip)
{
    return R"(<ConnectedAP iedName=")" + ied + R"(" apName=")" + ap + R"("><Address><P type="IP">)" + ip +
           "</P></Address></ConnectedAP>";
}

std::string Ied(const std::string& name, const std::string& ld)
{
    return R"(<IED name=")" + name + R"(">)" + R"(<AccessPoint name="AP1"><Server><Authentication/><LDevice inst=")" +
           ld + R"("><LN0 lnClass="LLN0" inst="" lnType="LLN0_T"/></LDevice></Server></AccessPoint>)" +
           R"(<AccessPoint name="AP2"/></IED>)";
}

// P1 has two access points, each connected on its own subnetwork; P3 is connected nowhere.
class UpdateIED : public ImportTest {
protected:
    void SetUp() override
    {
        LoadProject(SclDocument(R"(<Communication>
            <SubNetwork name="N1">)" + ConnectedAP("P1", "AP1", "10.0.0.1") + R"(</SubNetwork>
            <SubNetwork name="N2">)" + ConnectedAP("P1", "AP2", "10.0.0.2") + R"(</SubNetwork>
          </Communication>)" + Ied("P1", "OLD") + Ied("P3", "LD0") + kTemplates));
    }
    std::string AddressOf(const std::string& subNetwork, const std::string& ap) const
    {
        for (xmlNode* network : ElementChildren(FindChildElement(doc.Root(), "Communication")))
            for (xmlNode* connectedAP : ElementChildren(network))
                if (GetAttribute(network, "name") == subNetwork && GetAttribute(connectedAP, "apName") == ap)
                    return GetElementText(FindChildElement(FindChildElement(connectedAP, "Address"), "P"));
        return "";
    }
};

// The file's IED of the selected name replaces the project's, and only the ConnectedAP
// of the file's access point is replaced, although the IED's last access point is
// connected elsewhere: the other keeps its address.
TEST_F(UpdateIED, ReplacesTheIEDAndTheConnectedAPOfTheSameAccessPoint)
{
    doc.SetValidFlag(false);
    std::string path = WriteFile(R"(<Communication><SubNetwork name="F">)" + ConnectedAP("Client", "C1", "9.9.9.8") +
                                 ConnectedAP("P1", "AP1", "9.9.9.9") + "</SubNetwork></Communication>" +
                                 R"(<IED name="Client"><AccessPoint name="C1"/></IED>)" + Ied("P1", "NEW") + kTemplates);
    ImportResult result = Update("P1", path);
    ASSERT_EQ(result.outcome, ImportOutcome::Done);
    EXPECT_EQ(AddressOf("N1", "AP1"), "9.9.9.9");
    EXPECT_EQ(AddressOf("N2", "AP2"), "10.0.0.2");
    xmlNode* ied = FindIEDElement(doc.Root(), "P1");
    EXPECT_STREQ(GetAttribute(FindChildElement(FindChildElement(FindChildElement(ied, "AccessPoint"), "Server"),
                                               "LDevice"), "inst"), "NEW");
    EXPECT_EQ(ied->next, FindIEDElement(doc.Root(), "P3"));
    EXPECT_FALSE(FindIEDElement(doc.Root(), "Client"));
    EXPECT_TRUE(doc.IsValid()) << "the flag follows the project's checks";
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(view.Selected(), FindRootItem("IED: P1"));
    EXPECT_NE(SubtreeOutline(FindRootItem("IED: P1")).find("LD: NEW"), std::string::npos);
    EXPECT_EQ(FindRootItem("Communication")->FirstChild()->FirstChild()->Label(), "ConnectedAP: IED: P1 AP: AP1");
}

TEST_F(UpdateIED, RefusalsLeaveTheProjectAsItWas)
{
    const std::string before = DocumentText();
    struct Case {
        std::string selected, body;
        Lines messages;
    } cases[] = {
        {"P1", Ied("Q", "LD0") + kTemplates, {"Update IED: Incorrect IED name!"}},
        {"P1", Ied("P1", "LD0") + kTemplates, {"Update IED: Missing Connected Access Point information!"}},
        {"P3", R"(<Communication><SubNetwork name="F">)" + ConnectedAP("P3", "AP1", "1.1.1.1") +
                   "</SubNetwork></Communication>" + Ied("P3", "LD0") + kTemplates,
         {"Update IED: Missing Subnetwork information!"}},
        {"P1", Ied("P1", "LD0") + "<Bogus/>", {}},  // findings, and No to go on
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body.substr(0, 60));
        ui.messages.clear();
        ImportResult result = Update(c.selected, WriteFile(c.body));
        EXPECT_NE(result.outcome, ImportOutcome::Done);
        EXPECT_EQ(MessageTexts(), c.messages);
        EXPECT_EQ(DocumentText(), before);
        EXPECT_FALSE(doc.IsModified());
    }
    ui.messages.clear();
    EXPECT_EQ(Update("P1", dir.File("missing.iid")).outcome, ImportOutcome::Unreadable);
    EXPECT_EQ(MessageTexts(), (Lines{"Update IED: Invalid file format!"}));
}

}  // namespace
