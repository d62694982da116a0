#include "tree/add_timeserver_dialog.h"

#include <algorithm>
#include <cstdio>

CAddTimeserverDialog::CAddTimeserverDialog(std::vector<std::string> existingIEDNames,
                                           std::vector<std::string> subNetworks, const std::string& presetSubNetwork)
    : existingIEDNames_(std::move(existingIEDNames)), subNetworks_(std::move(subNetworks))
{
    auto taken = [this](const std::string& candidate) {
        return std::find(existingIEDNames_.begin(), existingIEDNames_.end(), candidate) != existingIEDNames_.end();
    };
    for (int k = 1; name.empty() || taken(name); ++k) name = "TimeServer" + std::to_string(k);
    auto preset = std::find(subNetworks_.begin(), subNetworks_.end(), presetSubNetwork);
    subNetworkIndex = preset == subNetworks_.end() ? 0 : static_cast<int>(preset - subNetworks_.begin());
}

std::string CAddTimeserverDialog::SubNetworkName() const
{
    if (subNetworkIndex < 0 || subNetworkIndex >= static_cast<int>(subNetworks_.size())) return "";
    return subNetworks_[static_cast<size_t>(subNetworkIndex)];
}

std::string CAddTimeserverDialog::AddressText() const
{
    return std::to_string(address[0]) + "." + std::to_string(address[1]) + "." + std::to_string(address[2]) + "." +
           std::to_string(address[3]);
}

bool CAddTimeserverDialog::SetAddressText(const std::string& text)
{
    unsigned fields[4];
    char end = 0;
    if (std::sscanf(text.c_str(), "%3u.%3u.%3u.%3u%c", &fields[0], &fields[1], &fields[2], &fields[3], &end) != 4)
        return false;
    for (unsigned field : fields)
        if (field > 255) return false;
    for (size_t i = 0; i < 4; ++i) address[i] = static_cast<uint8_t>(fields[i]);
    return true;
}

std::string CAddTimeserverDialog::Accept() const
{
    if (name.empty()) return "Enter the name of the time server!";
    if (std::find(existingIEDNames_.begin(), existingIEDNames_.end(), name) != existingIEDNames_.end())
        return "IED " + name + " is already configured!";
    return "";
}
