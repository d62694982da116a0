#pragma once
#include "document/user_interface.h"

#include <string>
#include <vector>

// "Select destination": picks one of several targets of a Go to command. The prompt
// becomes the window title; choices keep the order in which they were added.
class CGoSelectionDialog : public DialogModel {
public:
    static const char* DefaultTitle() { return "Select destination"; }

    void SetPrompt(std::string prompt) { prompt_ = std::move(prompt); }
    const std::string& Prompt() const { return prompt_; }
    void AddChoice(std::string choice) { choices_.push_back(std::move(choice)); }
    const std::vector<std::string>& Choices() const { return choices_; }

    // The selected line; -1 when none is selected. The first line starts selected.
    int SelectedIndex() const { return selectedIndex_; }
    void SetSelectedIndex(int index) { selectedIndex_ = index; }

private:
    std::string prompt_;
    std::vector<std::string> choices_;
    int selectedIndex_ = 0;
};
