#pragma once
#include "document/user_interface.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// "Add Time Server": the name of the new time server, the subnetwork it is connected
// to and its IP address.
class CAddTimeserverDialog : public DialogModel {
public:
    // Proposes "TimeServer%d" with the smallest number that no IED has; preselects
    // `presetSubNetwork` when the list holds it, else the first entry.
    CAddTimeserverDialog(std::vector<std::string> existingIEDNames, std::vector<std::string> subNetworks,
                         const std::string& presetSubNetwork);

    static const char* Title() { return "Add Time Server"; }

    std::string name;
    std::array<uint8_t, 4> address{};  // first field first; starts at 0.0.0.0
    int subNetworkIndex = 0;

    const std::vector<std::string>& SubNetworks() const { return subNetworks_; }
    // The chosen subnetwork; "" when the index is outside the list.
    std::string SubNetworkName() const;
    std::string AddressText() const;
    // Reads "A.B.C.D" (each 0 to 255, blanks around the whole allowed) into `address`;
    // false leaves it as it was.
    bool SetAddressText(const std::string& text);

    // The checks of OK: "" or the message to show while the dialog stays open.
    std::string Accept() const;

private:
    std::vector<std::string> existingIEDNames_;
    std::vector<std::string> subNetworks_;
};
