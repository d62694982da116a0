#include "exports/export_dialog.h"

#include <algorithm>

CExportDialog::CExportDialog(std::vector<std::string> iedNames, const std::string& preselect)
    : iedNames_(std::move(iedNames))
{
    auto found = std::find(iedNames_.begin(), iedNames_.end(), preselect);
    if (!iedNames_.empty()) selectedIndex_ = found == iedNames_.end() ? 0 : static_cast<int>(found - iedNames_.begin());
}

void CExportDialog::SetSelectedIndex(int index)
{
    selectedIndex_ = index >= 0 && index < static_cast<int>(iedNames_.size()) ? index : -1;
}

std::string CExportDialog::ChosenName() const
{
    return selectedIndex_ < 0 ? std::string() : iedNames_[static_cast<size_t>(selectedIndex_)];
}
