#pragma once
#include "document/user_interface.h"

// Answers every question so that a benchmark runs through: goes on after findings,
// names no file and has no clipboard.
class ContinueUi : public UserInterface {
public:
    MessageAnswer ShowMessage(const std::string&, const std::string&, MessageIcon, MessageButtons) override
    {
        return MessageAnswer::Ok;
    }
    std::optional<std::string> AskOpenFileName(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> AskSaveFileName(const FileDialogRequest&) override { return std::nullopt; }
    bool RunDialog(DialogModel&) override { return true; }
    bool SetClipboardText(const std::string&) override { return false; }
};
