#pragma once
#include "document/user_interface.h"

#include <string>
#include <vector>

// "Select functional constraint": which of several functional constraints of a data
// object is meant.
class CFCSelDialog : public DialogModel {
public:
    explicit CFCSelDialog(std::vector<std::string> candidates) : candidates_(std::move(candidates)) {}

    static const char* Title() { return "Select functional constraint"; }
    const std::vector<std::string>& Candidates() const { return candidates_; }

    int selection = 0;  // the first is preselected

private:
    std::vector<std::string> candidates_;
};
