#include "document/xml_access.h"
#include "project_tree/tree_fixture.h"
#include "project_tree/verify_addresses.h"
#include "structure/add_timeserver_dialog.h"
#include "structure/structure_edit.h"

namespace {

// A new subnetwork takes the smallest free number. A time server's name is refused
// when taken, empty or holding control characters; its address must be an IP address.
TEST_F(TreeTest, AddSubnetworkAndAddTimeServer)
{
    Load(R"(<Communication><SubNetwork name="Subnet1"/><SubNetwork name="Subnet3"/></Communication>)");
    EXPECT_EQ(AddSubnetwork(view), "Subnet2");
    EXPECT_EQ(AddSubnetwork(view), "Subnet4");
    EXPECT_EQ(ChildLabels(Find("Communication")),
              (Labels{"SubNetwork: Subnet1", "SubNetwork: Subnet3", "SubNetwork: Subnet2", "SubNetwork: Subnet4"}));
    EXPECT_EQ(NodeOf("SubNetwork: Subnet2")->ns, doc.Root()->ns);
    EXPECT_TRUE(doc.IsModified());

    // Without Communication one is made at its place: after the substations, before the IEDs.
    Load(R"(<Substation name="S"><VoltageLevel name="V"><Bay name="B"/></VoltageLevel></Substation>
<IED name="A"><AccessPoint name="P"/></IED>)");
    EXPECT_EQ(AddSubnetwork(view), "Subnet1");
    EXPECT_EQ(ChildLabels(nullptr), (Labels{"Substation: S", "Communication", "IED: A"}));
    EXPECT_EQ(ChildLabels(Find("Communication")), (Labels{"SubNetwork: Subnet1"}));
    EXPECT_TRUE(doc.Validate(doc.XmlTree())) << testing::PrintToString(doc.ValidationLog());

    // The time server joins the chosen subnetwork and follows the other time server.
    Load(R"(<Communication><SubNetwork name="N1"/><SubNetwork name="N2"/></Communication>
<IED name="TimeServer1"><AccessPoint name="P1" clock="true"/></IED>)");
    std::optional<std::string> name;  // typed over the proposed one
    ui.onDialog = [&name](DialogModel& model) {
        auto& dialog = dynamic_cast<CAddTimeserverDialog&>(model);
        EXPECT_EQ(dialog.name, "TimeServer2");
        EXPECT_FALSE(dialog.SetAddressText("192.168.1.256"));
        EXPECT_TRUE(dialog.SetAddressText("192.168.1.10"));
        dialog.subNetworkIndex = 1;
        if (name) dialog.name = *name;
        return true;
    };
    for (const char* refused : {"TimeServer1", "", "TS\x1b[2J"}) {
        name = refused;
        EXPECT_EQ(OnAddTimeServer(view, ui), std::nullopt) << refused;
    }
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(ui.messages[2].text,
              "The name of the time server cannot hold control characters or bytes that are not UTF-8!");
    name.reset();
    EXPECT_EQ(OnAddTimeServer(view, ui), "TimeServer2");
    xmlNode* connectedAP = NodeOf("ConnectedAP: IED: TimeServer2 AP: P1");
    EXPECT_STREQ(GetAttribute(connectedAP->parent, "name"), "N2");
    EXPECT_EQ(GetElementText(FindChildElement(FindChildElement(connectedAP, "Address"), "P")), "192.168.1.10");
    EXPECT_EQ(view.Selected(), Find("IED: TimeServer2"));
    EXPECT_EQ(view.Selected()->Row(), 2) << "after the time server, as in the document";

    // The project's validity afterwards counts the dataset references as well as the schema.
    std::string dangling = ReadFileText(TestDataPath("one_ied.scd"));
    dangling.replace(dangling.find("datSet=\"DS1\""), 12, "datSet=\"Gone\"");
    LoadText(dangling);
    doc.SetValidFlag(true);
    ui.onDialog = [](DialogModel&) { return true; };
    EXPECT_EQ(OnAddTimeServer(view, ui), "TimeServer1");
    EXPECT_FALSE(doc.IsValid());
}

// Blanks around the whole address are dropped; anything else but four numbers from 0 to
// 255 is refused and leaves the address as it was.
TEST(AddTimeServerDialog, AddressTextIsFourNumbersWithBlanksAroundOnly)
{
    const std::pair<const char*, const char*> rows[] = {
        {"10.0.0.5", "10.0.0.5"}, {" \t10.0.0.5 \t", "10.0.0.5"}, {"255.255.255.255", "255.255.255.255"},
        {"010.0.0.001", "10.0.0.1"}, {"10.0.0.256", ""}, {"10.0.0", ""}, {"10.0.0.5.", ""}, {"10. 0.0.5", ""},
        {"10.0.0.5 x", ""}, {"+10.0.0.5", ""}, {"10.0.0.-0", ""}, {"1000.0.0.5", ""}, {"0010.0.0.1", ""}, {"", ""}, {" ", ""},
        {"10.0.0.5\n", ""},
    };
    for (const auto& [text, address] : rows) {
        CAddTimeserverDialog dialog({}, {}, "");
        dialog.SetAddressText("1.2.3.4");
        EXPECT_EQ(dialog.SetAddressText(text), *address != 0) << text;
        EXPECT_EQ(dialog.AddressText(), *address ? address : "1.2.3.4") << text;
    }
}

// Deleting a dataset takes its name from the control blocks that named it, and the [D]
// marker goes with the last one; deleting an IED lists the other IEDs' inputs that
// named it (and keeps them) and removes its ConnectedAPs.
TEST_F(TreeTest, DeleteRemovesTheItemAndWhatNamedIt)
{
    LoadFixture();
    xmlNode* ln0 = NodeOf("LN: LLN0 [I] [G] [R] [D]");
    AppendXml(ln0, R"(<DataSet name="DS2"/>)");
    AppendXml(ln0, R"(<ReportControl name="RC2" datSet="DS2"/>)");
    xmlSetProp(NodeOf("ExtRef: P2LD0/GGIO1.Ind1.stVal"), Xml("intAddr"), Xml("NI1"));
    view.BuildTree();
    auto datSets = [&] {
        std::string text;
        for (const char* name : {"ReportControl: RC1", "GSEControl: GC1", "ReportControl: RC2"})
            text += std::string(GetAttribute(NodeOf(name), "datSet")) + ";";
        return text;
    };
    view.Select(Find("DataSet: DS2"));
    ui.messageAnswers = {MessageAnswer::No, MessageAnswer::Yes};
    OnDelete(view, ui);
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_FALSE(doc.IsModified());
    OnDelete(view, ui);
    EXPECT_EQ(datSets(), "DS1;DS1;;");
    EXPECT_NE(Outline().find("[D]"), std::string::npos);
    view.Select(Find("DataSet: DS1"));
    EXPECT_TRUE(DeleteSelectedItem(view));
    EXPECT_EQ(datSets(), ";;;");
    EXPECT_EQ(Outline().find("[D]"), std::string::npos) << "[D] goes with the last dataset";

    view.Select(Find("IED: P2"));
    ui.messageAnswers = {MessageAnswer::Yes};
    KeepWindowLines();
    OnDelete(view, ui);
    EXPECT_EQ(windowLines,
              (std::vector<std::string>{"Warning: IED P1: input NI1 (P2 LD0/GGIO1.Ind1.stVal) names the removed IED P2"}));
    EXPECT_NE(Outline().find("ExtRef: P2"), std::string::npos);
    EXPECT_EQ(Outline().find("IED: P2"), std::string::npos) << Outline();
    EXPECT_EQ(CheckedItemCount(), doc.ItemRecordCount());
    EXPECT_TRUE(doc.IsModified());
}

// tests/data/tree_addresses.scd: each repetition within one subnetwork is reported, in a
// window; neither IP-SUBNET, nor a p, nor a second P of type IP, nor a GSE's address
// counts; blanks around the address do not count but an empty address does. Without a
// repetition, a message.
TEST_F(TreeTest, VerifyAddressesReportsEachRepetitionWithinOneSubnetwork)
{
    LoadFixture("tree_addresses.scd");
    KeepWindowLines();
    OnVerifyAddresses(view, ui);
    EXPECT_EQ(windowLines, (std::vector<std::string>{
                         "Error: Subnetwork Subnet1: IP for IED:C AP:AP2 is duplicated",
                         "Error: Subnetwork Subnet1: IP for IED:F AP:AP1 is duplicated",
                         "Error: Subnetwork Subnet1: IP for IED:G AP:AP1 is duplicated",
                         "Error: Subnetwork Subnet2: IP for IED:K AP:AP1 is duplicated",
                         "Error: Subnetwork Subnet3: IP for IED:L AP:AP1 is duplicated",
                     }));
    EXPECT_TRUE(ui.messages.empty());

    Load("<Substation name=\"S\"/>");
    OnVerifyAddresses(view, ui);
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.dialogsShown.size(), 1u);
}

}  // namespace
