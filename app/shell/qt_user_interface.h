#pragma once
#include "document/user_interface.h"

#include <QPointer>
#include <QWidget>

#include <functional>

// The person at the keyboard, asked through message boxes, file dialogs, the dialog
// windows and the clipboard; every window is modal to the parent widget.
class QtUserInterface : public UserInterface {
public:
    explicit QtUserInterface(QWidget* parent = nullptr) : parent_(parent) {}

    void SetParentWidget(QWidget* parent) { parent_ = parent; }
    QWidget* ParentWidget() const { return parent_; }
    // Given to every log window run from now on: called with a line double-clicked there.
    void SetLogLineHandler(std::function<void(const std::string& line)> handler)
    {
        logLineHandler_ = std::move(handler);
    }

    MessageAnswer ShowMessage(const std::string& title, const std::string& text, MessageIcon icon,
                              MessageButtons buttons) override;
    // The detail is the box's informative text, readable without a further click.
    MessageAnswer ShowMessageWithDetail(const std::string& title, const std::string& text, const std::string& detail,
                                        MessageIcon icon, MessageButtons buttons) override;
    std::optional<std::string> AskOpenFileName(const FileDialogRequest& request) override;
    std::optional<std::string> AskSaveFileName(const FileDialogRequest& request) override;
    bool RunDialog(DialogModel& dialog) override;
    bool SetClipboardText(const std::string& text) override;
    void SetBusy(bool busy) override;
    // In the status bar of the parent main window: the step's text and a progress bar;
    // the window repaints before the step starts.
    void ShowProgress(const std::string& step, int percent) override;

    // Object names of the status bar's message and progress bar.
    static const char* StatusTextName() { return "statusText"; }
    static const char* ProgressBarName() { return "progress"; }

private:
    std::optional<std::string> AskFileName(const FileDialogRequest& request, bool forSaving);
    void SetStatus(const QString& text, int percent);

    QPointer<QWidget> parent_;
    std::function<void(const std::string& line)> logLineHandler_;
    int busyDepth_ = 0;
};
