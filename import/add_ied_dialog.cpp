#include "import/add_ied_dialog.h"

#include "document/xml_text.h"

#include <algorithm>

namespace {

int IndexOf(const std::vector<std::string>& list, const std::string& name)
{
    auto found = std::find(list.begin(), list.end(), name);
    return found == list.end() ? -1 : static_cast<int>(found - list.begin());
}

}  // namespace

CAddIEDDialog::CAddIEDDialog(std::vector<std::string> existingIEDNames, std::vector<std::string> subNetworks,
                             const std::string& presetSubNetwork, std::vector<std::string> fileIEDs,
                             int presetFileIED)
    : existingIEDNames_(std::move(existingIEDNames)),
      subNetworks_(std::move(subNetworks)),
      fileIEDs_(std::move(fileIEDs))
{
    if (!subNetworks_.empty() && !SelectSubNetwork(presetSubNetwork)) subNetworkIndex_ = 0;
    SelectFileIED(presetFileIED);
}

void CAddIEDDialog::SelectSubNetwork(int index)
{
    if (index >= 0 && index < static_cast<int>(subNetworks_.size())) subNetworkIndex_ = index;
}

bool CAddIEDDialog::SelectSubNetwork(const std::string& name)
{
    int index = IndexOf(subNetworks_, name);
    if (index < 0) return false;
    subNetworkIndex_ = index;
    return true;
}

std::string CAddIEDDialog::SubNetworkName() const
{
    return subNetworkIndex_ < 0 ? std::string() : subNetworks_[static_cast<size_t>(subNetworkIndex_)];
}

void CAddIEDDialog::SelectFileIED(int index)
{
    if (index < 0 || index >= static_cast<int>(fileIEDs_.size())) return;
    fileIEDIndex_ = index;
    iedName = fileIEDs_[static_cast<size_t>(index)];
}

bool CAddIEDDialog::SelectFileIED(const std::string& name)
{
    int index = IndexOf(fileIEDs_, name);
    if (index < 0) return false;
    SelectFileIED(index);
    return true;
}

std::string CAddIEDDialog::Accept() const
{
    if (iedName.empty()) return "Enter the name the IED gets in the project!";
    if (!IsNameText(iedName)) return "The IED name cannot hold control characters or bytes that are not UTF-8!";
    if (IndexOf(existingIEDNames_, iedName) >= 0) return "IED " + iedName + " is already configured!";
    return "";
}
