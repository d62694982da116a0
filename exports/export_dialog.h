#pragma once
#include "document/user_interface.h"

#include <string>
#include <vector>

// "Select IED for exporting": one of the project's IEDs, by name.
class CExportDialog : public DialogModel {
public:
    // `preselect` is chosen when the list holds it, else the first entry.
    CExportDialog(std::vector<std::string> iedNames, const std::string& preselect);

    static const char* Title() { return "Select IED for exporting"; }
    static const char* Label() { return "IED to export"; }

    const std::vector<std::string>& IEDNames() const { return iedNames_; }
    int SelectedIndex() const { return selectedIndex_; }
    void SetSelectedIndex(int index);
    // "" when nothing is chosen.
    std::string ChosenName() const;

private:
    std::vector<std::string> iedNames_;
    int selectedIndex_ = -1;
};
