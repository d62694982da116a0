#pragma once
#include "document/user_interface.h"

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

// The command-line tool's answers to the questions commands ask. Every answer comes
// from the command line; a question nobody answered fails the command.
class CliUi : public UserInterface {
public:
    explicit CliUi(std::ostream& err) : err_(err) {}

    // How to answer "There were problems ... Continue?" after a file failed a check.
    bool continueAfterFindings = false;
    bool printFindings = true;
    // Fills the version history dialog; false refuses the dialog.
    std::function<bool(DialogModel&)> fillDialog;
    // The questions the command line answers with Yes.
    std::vector<std::string> yesTo;
    // The answer to the question for a file to save (-o OUT). Without one, a command
    // that prints its product instead declines the question rather than fail.
    std::optional<std::string> saveFileName;
    bool printInsteadOfSaving = false;

    // Set when a question had no answer on the command line.
    bool unanswered = false;
    std::vector<std::string> messagesShown;

    MessageAnswer ShowMessage(const std::string& title, const std::string& text, MessageIcon icon,
                              MessageButtons buttons) override;
    // The detail follows the text on its own line.
    MessageAnswer ShowMessageWithDetail(const std::string& title, const std::string& text, const std::string& detail,
                                        MessageIcon icon, MessageButtons buttons) override;
    std::optional<std::string> AskOpenFileName(const FileDialogRequest& request) override;
    std::optional<std::string> AskSaveFileName(const FileDialogRequest& request) override;
    bool RunDialog(DialogModel& dialog) override;
    bool SetClipboardText(const std::string& text) override;

private:
    std::ostream& err_;
};
