#include "structure/add_timeserver_dialog.h"

#include "document/xml_text.h"

#include <algorithm>

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
    const size_t first = text.find_first_not_of(" \t");
    const size_t end = text.find_last_not_of(" \t") + 1;
    if (first == std::string::npos) return false;
    std::array<uint8_t, 4> fields{};
    size_t i = first;
    for (size_t field = 0; field < 4; ++field) {
        if (field > 0 && (i == end || text[i++] != '.')) return false;
        unsigned value = 0;
        size_t digits = 0;
        for (; i < end && text[i] >= '0' && text[i] <= '9' && digits < 3; ++i, ++digits)
            value = value * 10 + static_cast<unsigned>(text[i] - '0');
        if (digits == 0 || value > 255) return false;
        fields[field] = static_cast<uint8_t>(value);
    }
    if (i != end) return false;
    address = fields;
    return true;
}

std::string CAddTimeserverDialog::Accept() const
{
    if (name.empty()) return "Enter the name of the time server!";
    if (!IsNameText(name))
        return "The name of the time server cannot hold control characters or bytes that are not UTF-8!";
    if (std::find(existingIEDNames_.begin(), existingIEDNames_.end(), name) != existingIEDNames_.end())
        return "IED " + name + " is already configured!";
    return "";
}
