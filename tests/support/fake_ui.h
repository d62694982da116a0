#pragma once
#include "document/user_interface.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// A scripted person: answers come from queues, everything shown is recorded.
// An unscripted question is answered the safe way (Cancel, No, no file).
class FakeUi : public UserInterface {
public:
    struct Message {
        std::string title;
        std::string text;
        MessageIcon icon;
        MessageButtons buttons;
        std::string detail;
    };

    std::deque<MessageAnswer> messageAnswers;
    std::deque<std::optional<std::string>> openFileNames;
    std::deque<std::optional<std::string>> saveFileNames;
    // Called for every dialog; manipulates the model as a person would and returns
    // OK (true) or Cancel (false). Unset: every dialog is cancelled.
    std::function<bool(DialogModel&)> onDialog;

    std::vector<Message> messages;
    std::vector<FileDialogRequest> fileRequests;
    std::vector<std::string> dialogsShown;  // type names of the dialog models run
    std::optional<std::string> clipboard;
    bool clipboardAvailable = true;
    std::vector<std::string> progressSteps;
    int busyDepth = 0;

    MessageAnswer ShowMessage(const std::string& title, const std::string& text, MessageIcon icon,
                              MessageButtons buttons) override;
    MessageAnswer ShowMessageWithDetail(const std::string& title, const std::string& text, const std::string& detail,
                                        MessageIcon icon, MessageButtons buttons) override;
    std::optional<std::string> AskOpenFileName(const FileDialogRequest& request) override;
    std::optional<std::string> AskSaveFileName(const FileDialogRequest& request) override;
    bool RunDialog(DialogModel& dialog) override;
    bool SetClipboardText(const std::string& text) override;
    void SetBusy(bool busy) override { busyDepth += busy ? 1 : -1; }
    void ShowProgress(const std::string& step, int) override { progressSteps.push_back(step); }
};
