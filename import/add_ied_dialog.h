#pragma once
#include "document/user_interface.h"

#include <string>
#include <vector>

// "Add IED": the name the imported IED gets in the project, the subnetwork its
// connected access point is placed in and, for a file that holds several IEDs, which
// of them is imported.
class CAddIEDDialog : public DialogModel {
public:
    // `presetSubNetwork` is chosen when the list holds it, else the first entry.
    // `fileIEDs` are the names of the file's IEDs in document order; `presetFileIED`
    // indexes the one proposed, and the IED name starts as its name.
    CAddIEDDialog(std::vector<std::string> existingIEDNames, std::vector<std::string> subNetworks,
                  const std::string& presetSubNetwork, std::vector<std::string> fileIEDs, int presetFileIED);

    static const char* Title() { return "Add IED"; }

    std::string iedName;

    const std::vector<std::string>& SubNetworks() const { return subNetworks_; }
    int SubNetworkIndex() const { return subNetworkIndex_; }  // -1 when the list is empty
    void SelectSubNetwork(int index);
    // Selects the entry of that name; false when the list has none.
    bool SelectSubNetwork(const std::string& name);
    std::string SubNetworkName() const;  // "" when the list is empty

    // The choice among the file's IEDs is offered only when the file holds more than one.
    bool OffersFileIEDs() const { return fileIEDs_.size() > 1; }
    const std::vector<std::string>& FileIEDs() const { return fileIEDs_; }
    int FileIEDIndex() const { return fileIEDIndex_; }
    // Chooses another of the file's IEDs; the IED name follows it.
    void SelectFileIED(int index);
    bool SelectFileIED(const std::string& name);

    // The checks of OK: "" when the dialog may close, otherwise the message to show
    // (title Title(), error icon) while it stays open.
    std::string Accept() const;

private:
    std::vector<std::string> existingIEDNames_;
    std::vector<std::string> subNetworks_;
    std::vector<std::string> fileIEDs_;
    int subNetworkIndex_ = -1;
    int fileIEDIndex_ = -1;
};
