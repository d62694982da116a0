#include "tree_fixture.h"

#include "core/log_dialogs.h"
#include "tree/verify_addresses.h"

namespace {

std::string AP(const std::string& ied, const std::string& ap, const std::string& content)
{
    return "<ConnectedAP iedName=\"" + ied + "\" apName=\"" + ap + "\">" + content + "</ConnectedAP>";
}

std::string IP(const std::string& address)
{
    return "<Address><P type=\"IP\">" + address + "</P></Address>";
}

// Each repetition within one subnetwork is reported, in a window; neither IP-SUBNET,
// nor a p, nor a second P of type IP, nor a GSE's address counts; blanks around the
// address do not count but an empty address does. Without a repetition, a message.
TEST_F(TreeTest, VerifyAddressesReportsEachRepetitionWithinOneSubnetwork)
{
    Load("<Communication><SubNetwork name=\"Subnet1\">" +
         AP("A", "AP1", IP("10.0.0.1")) + AP("B", "AP1", IP(" 10.0.0.2\n")) + AP("C", "AP2", IP("10.0.0.1")) +
         AP("D", "AP1",
            R"(<Address><P type="IP-SUBNET">10.0.0.2</P><p type="IP">10.0.0.2</p><P type="IP">10.0.0.3</P>)"
            R"(<P type="IP">10.0.0.1</P></Address>)") +
         AP("E", "AP1", R"(<GSE ldInst="L" cbName="G"><Address><P type="IP">10.0.0.1</P></Address></GSE>)") +
         AP("F", "AP1", IP("10.0.0.2")) + AP("G", "AP1", IP("10.0.0.1")) + AP("H", "AP1", IP("10.0.000.1")) +
         AP("I", "AP1", "<Address/>") +
         "</SubNetwork><SubNetwork name=\"Subnet2\">" +
         AP("A", "AP2", IP("10.0.0.1")) + AP("J", "AP1", IP("")) + AP("K", "AP1", IP("  ")) +
         "</SubNetwork></Communication><Communication><SubNetwork name=\"Subnet3\">" +
         AP("L", "AP1", IP("10.0.0.9") + IP("10.0.0.9")) + "</SubNetwork></Communication>");
    std::vector<std::string> shown;
    ui.onDialog = [&](DialogModel& model) {
        shown = dynamic_cast<CVerifyDialog&>(model).Lines();
        return true;
    };
    OnVerifyAddresses(view, ui);
    EXPECT_EQ(shown, (std::vector<std::string>{
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
