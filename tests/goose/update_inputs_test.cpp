#include "goose/update_inputs.h"
#include "goose_fixture.h"

namespace {

using Lines = std::vector<std::string>;

class UpdateInputs : public GooseTest {
protected:
    void SetUp() override { LoadFixture("goose_update.scd"); }
    TreeItem* R(int row) { return ExtRefAt("R", row); }
};

TEST_F(UpdateInputs, EveryOutcomeOfOneAccessPoint)
{
    const std::string p1Ind1 = "P1|LD0|-|GGIO|1|Ind1|stVal";
    const std::string absent = "-|-|-|-|-|-|-";
    KeepWindowLines();
    view.Select(Find("IED: R"));
    OnUpdateInputs(view, ui);
    EXPECT_EQ(windowLines, (Lines{
                         "Information: external reference created for input NI2:01-0C-CD-01-00-01:0001:1:1:P1gcb1",
                         "Error: no match found for input NI3:01-0C-CD-01-00-01:0001:1:7:P1gcb1",
                         "Error: multiple matching configurations found for input NI4:01-0C-CD-01-00-0D:000D:1:0:X",
                         "Error: External reference for input NI6 is invalid",
                         "Information: external reference created for input NI8:01-0C-CD-01-00-01:0001:1:0",
                         "Error: no match found for input NI10:01-0C-CD-01-00-0F:000F:1:0:Rgcb",
                         "Error: no match found for input NI11:01-0C-CD-01-00-03:0003:1:0:P3gcb1",
                         "Error: External reference for input XI12:01-0C-CD-01-00-01:0001:1:0:P1gcb1 is invalid",
                         // D1 publishes one member, so only D2 holds index 1
                         "Information: external reference created for input NI13:01-0C-CD-01-00-0D:000D:1:1:D2gcb1",
                         // the verification that follows sees the kept reference to D1, and D2's
                         "GOOSE producer of ExtRef: R.LD0.LLN0 Input[3] Int Addr: NI4:01-0C-CD-01-00-0D:000D:1:0:X "
                         "has other MAC address than previous ExtRefs",
                         "GOOSE producer of ExtRef: R.LD0.LLN0 Input[12] Int Addr: NI13:01-0C-CD-01-00-0D:000D:1:1:D2gcb1 "
                         "has other MAC address than previous ExtRefs",
                     }));
    EXPECT_TRUE(doc.IsModified());

    // A reference that cannot be confirmed is reported and kept as the file has it.
    EXPECT_EQ(Reference(R(0)), p1Ind1);                             // consistent
    EXPECT_EQ(Reference(R(1)), "P1|LD0||GGIO|1|Ind2|stVal");         // created, every attribute written
    EXPECT_EQ(R(1)->Label(), "ExtRef: P1LD0/GGIO1.Ind2.stVal");
    EXPECT_EQ(Reference(R(2)), "P1|LD0|-|GGIO|1|Ind2|stVal");        // index beyond the dataset
    EXPECT_EQ(Reference(R(3)), "D1|LD0|-|GGIO|1|Ind1|stVal");        // D1 and D2 both match
    EXPECT_EQ(Reference(R(4)), p1Ind1);                              // a signal name and a valid reference
    EXPECT_EQ(Reference(R(5)), "P1|LD0|-|GGIO|9|Ind1|stVal");        // a signal name and a dangling reference
    EXPECT_EQ(Reference(R(6)), absent);                              // four fields: not usable, nothing to clear
    EXPECT_EQ(Reference(R(7)), "P1|LD0||GGIO|1|Ind1|stVal");         // no GOOSE ID: matched again
    EXPECT_EQ(Reference(R(8)), absent);                              // seven fields
    EXPECT_EQ(Reference(R(9)), absent);                              // only the own IED publishes it
    EXPECT_EQ(Reference(R(10)), absent);                             // only on another subnetwork
    EXPECT_EQ(Reference(R(11)), "P1|LD0|-|GGIO|9|Ind1|stVal");       // no input class
    EXPECT_EQ(Reference(R(12)), "D2|LD0||GGIO|1|Ind2|stVal");
    EXPECT_EQ(Attr(R(2), "intAddr"), "NI3:01-0C-CD-01-00-01:0001:1:7:P1gcb1");

    // Told again only what still fails; NI8 is written again unchanged.
    doc.SetModifiedFlag(false);
    UpdateIedInputs(view, "R", ui);
    EXPECT_EQ(windowLines.size(), 9u);
    EXPECT_FALSE(doc.IsModified());
    UpdateIedInputs(view, "P1", ui);  // receives nothing: no window
    EXPECT_EQ(ui.dialogsShown.size(), 2u);

    // An access point with a single input is updated and verified like any other.
    const std::string address = "ANI1:01-0C-CD-01-00-01:0001:1:0:P1gcb1";
    EXPECT_EQ(UpdateIedInputs(view, "S").log, (Lines{"Information: external reference created for input " + address,
                                                     "Type of ExtRef: S.LD0.LLN0 Input[0] Int Addr: " + address + " is invalid"}));
    EXPECT_EQ(Reference(ExtRefAt("S", 0)), "P1|LD0||GGIO|1|Ind1|stVal");

    // An address that differs from its publisher's message in one field only is no
    // match, though the reference beside it names the publisher.
    for (const char* address : {"NI1:01-0C-CD-01-00-01:0001:2:0:P1gcb1", "NI1:01-0C-CD-01-00-01:0002:1:0:P1gcb1",
                                "NI1:01-0C-CD-01-00-02:0001:1:0:P1gcb1"}) {
        xmlSetProp(Element(R(0)), Xml("intAddr"), Xml(address));
        InputUpdateResult result = UpdateIedInputs(view, "R");
        EXPECT_EQ(result.log.at(0), std::string("Error: no match found for input ") + address);
        EXPECT_EQ(Reference(R(0)), "P1|LD0|-|GGIO|1|Ind1|stVal");
    }
    // A GOOSE address without MAC-Address publishes a message nobody can name.
    xmlSetProp(Element(R(0)), Xml("intAddr"), Xml("NI1:01-0C-CD-01-00-01:0001:1:0:P1gcb1"));
    xmlNode* mac = FindChildElement(Element(Find("Communication > SubNetwork: N1 > ConnectedAP: IED: P1 AP: AP1 > GSE > Address")), "P");
    ASSERT_STREQ(GetAttribute(mac, "type"), "MAC-Address");
    xmlUnlinkNode(mac);
    xmlFreeNode(mac);
    EXPECT_EQ(UpdateIedInputs(view, "R").log.at(0), "Error: no match found for input NI1:01-0C-CD-01-00-01:0001:1:0:P1gcb1");
}

// A dataset of QB2, past the empty QB0, publishing data of QB1 confirms the connected
// address of its subscriber: nothing to tell, nothing written.
TEST_F(GooseTest, PublisherInAnotherLogicalDeviceConfirmsItsSubscriber)
{
    std::string text = ReadFileText(TestDataPath("goose_across_ld.scd"));
    text.erase(text.find(R"(<ConnectedAP iedName="P" apName="AP1"/>)"), 40);  // P on N2 only
    LoadText(text);
    EXPECT_EQ(UpdateIedInputs(view, "S").log, Lines{});
    EXPECT_FALSE(doc.IsModified());
}

}  // namespace
