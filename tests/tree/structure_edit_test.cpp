#include "core/log_dialogs.h"
#include "core/xml_access.h"
#include "support/fake_ui.h"
#include "tree/scl_lookups.h"
#include "core/command_ids.h"
#include "tree/add_timeserver_dialog.h"
#include "tree/structure_edit.h"
#include "tree_fixture.h"

namespace {

TEST_F(TreeTest, AddSubnetworkTakesTheSmallestFreeNumber)
{
    Load(R"(<Communication><SubNetwork name="Subnet1"/><SubNetwork name="Subnet3"/></Communication>)");
    EXPECT_EQ(AddSubnetwork(view), "Subnet2");
    EXPECT_EQ(AddSubnetwork(view), "Subnet4");
    EXPECT_EQ(ChildLabels(Find("Communication")),
              (Labels{"SubNetwork: Subnet1", "SubNetwork: Subnet3", "SubNetwork: Subnet2", "SubNetwork: Subnet4"}));
    xmlNode* added = NodeOf("SubNetwork: Subnet2");
    EXPECT_STREQ(GetAttribute(added, "type"), "8-MMS");
    EXPECT_EQ(GetElementText(FindChildElement(added, "BitRate")), "100");
    EXPECT_EQ(added->ns, doc.Root()->ns);
    EXPECT_TRUE(doc.IsModified());

    // Without Communication one is made at its place: after the header, before the IEDs.
    Load(R"(<IED name="A"><AccessPoint name="P"/></IED>)");
    EXPECT_EQ(AddSubnetwork(view), "Subnet1");
    EXPECT_EQ(ChildLabels(nullptr), (Labels{"Communication", "IED: A"}));
    EXPECT_EQ(ChildLabels(Find("Communication")), (Labels{"SubNetwork: Subnet1"}));
    EXPECT_STREQ(GetAttribute(xmlNextElementSibling(NodeOf("Communication")), "name"), "A");
    EXPECT_TRUE(doc.Validate(doc.XmlTree())) << testing::PrintToString(doc.ValidationLog());
    Load(R"(<Substation name="S"/><IED name="A"/>)");
    AddSubnetwork(view);
    EXPECT_EQ(ChildLabels(nullptr), (Labels{"Substation: S", "Communication", "IED: A"}));
}

// A dataset's control blocks lose their datSet; the [D] marker goes with the last one.
TEST_F(TreeTest, DeleteRemovesTheItemAndWhatNamedIt)
{
    Load(R"(<Communication><SubNetwork name="A"><ConnectedAP iedName="P1" apName="AP1"/></SubNetwork>
<SubNetwork name="B"><ConnectedAP iedName="P1" apName="AP1"/><ConnectedAP iedName="Q" apName="AP1"/></SubNetwork></Communication>
<IED name="P1"><AccessPoint name="AP1"><Server><Authentication/><LDevice inst="LD0"><LN0 lnClass="LLN0" inst="" lnType="T">
<DataSet name="DS1"/><DataSet name="DS2"/><ReportControl name="r1" datSet="DS1"/><ReportControl name="r2" datSet="DS2"/>
<GSEControl name="g" datSet="DS2"/><Inputs><ExtRef iedName="P1" intAddr="own"/></Inputs></LN0></LDevice></Server>
</AccessPoint></IED>
<IED name="Q"><AccessPoint name="AP1"><Server><Authentication/><LDevice inst="L"><LN0 lnClass="LLN0" inst="" lnType="T">
<Inputs><ExtRef iedName="P1" ldInst="LD0" lnClass="LLN0" doName="Beh" daName="stVal" intAddr="NI1"/><ExtRef iedName="Q" intAddr="NI2"/>
</Inputs></LN0></LDevice></Server></AccessPoint></IED>)");
    FakeUi ui;
    view.Select(Find("DataSet: DS2"));
    ui.messageAnswers = {MessageAnswer::No};
    OnDelete(view, ui);
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_FALSE(doc.IsModified());
    ui.messageAnswers = {MessageAnswer::Yes};
    OnDelete(view, ui);
    xmlNode* ln0 = view.Record(Find("DataSet: DS1")->Parent())->node;
    EXPECT_STREQ(GetAttribute(FindChildElement(ln0, "ReportControl"), "datSet"), "DS1");
    EXPECT_FALSE(xmlHasProp(FindChildElement(ln0, "GSEControl"), Xml("datSet")));
    view.Select(Find("DataSet: DS1"));
    EXPECT_TRUE(DeleteSelectedItem(view));
    EXPECT_EQ(Outline().find("[D]"), std::string::npos) << "[D] goes with the last dataset";

    // The other IED's input that names P1 is kept and listed.
    view.Select(FindIEDItem(view, "P1"));
    ui.messageAnswers = {MessageAnswer::Yes};
    std::vector<std::string> log;
    ui.onDialog = [&log](DialogModel& model) {
        log = dynamic_cast<CVerifyDialog&>(model).Lines();
        return true;
    };
    OnDelete(view, ui);
    EXPECT_EQ(log, (std::vector<std::string>{"Warning: IED Q: input NI1 (P1 LD0/LLN0.Beh.stVal) names the removed IED P1"}));
    EXPECT_NE(Outline().find("ExtRef"), std::string::npos);
    EXPECT_EQ(Outline().find("IED: P1"), std::string::npos) << Outline();
    EXPECT_EQ(CheckedItemCount(), doc.ItemRecordCount());
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(TreeTest, AddTimeServerConnectsAndSelectsIt)
{
    Load(R"(<Communication><SubNetwork name="N1"/><SubNetwork name="N2"/></Communication>
<IED name="TimeServer1"><AccessPoint name="P1" clock="true"/></IED>)");
    FakeUi ui;
    ui.onDialog = [](DialogModel& model) {
        auto& dialog = dynamic_cast<CAddTimeserverDialog&>(model);
        EXPECT_EQ(dialog.name, "TimeServer2");
        EXPECT_FALSE(dialog.SetAddressText("192.168.1.256"));
        EXPECT_TRUE(dialog.SetAddressText("192.168.1.10"));
        dialog.subNetworkIndex = 1;
        return true;
    };
    EXPECT_EQ(OnAddTimeServer(view, ui), "TimeServer2");
    xmlNode* connectedAP = NodeOf("ConnectedAP: IED: TimeServer2 AP: P1");
    EXPECT_STREQ(GetAttribute(connectedAP->parent, "name"), "N2");
    EXPECT_EQ(GetElementText(FindChildElement(FindChildElement(connectedAP, "Address"), "P")), "192.168.1.10");
    EXPECT_EQ(view.Selected(), Find("IED: TimeServer2"));
    EXPECT_EQ(view.Selected()->Row(), 2) << "after the time server, as in the document";
    EXPECT_TRUE(view.IsCommandEnabled(kCmdDelete));
    EXPECT_FALSE(view.IsCommandEnabled(kCmdUpdateIED));

    ui.onDialog = [](DialogModel& model) {
        dynamic_cast<CAddTimeserverDialog&>(model).name = "TimeServer1";
        return true;
    };
    EXPECT_EQ(OnAddTimeServer(view, ui), std::nullopt);
    ui.onDialog = [](DialogModel& model) {
        dynamic_cast<CAddTimeserverDialog&>(model).name.clear();
        return true;
    };
    EXPECT_EQ(OnAddTimeServer(view, ui), std::nullopt);
    EXPECT_EQ(ui.messages.size(), 2u);
}

}  // namespace
