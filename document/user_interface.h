#pragma once
#include <optional>
#include <string>

class DialogModel;

enum class MessageIcon { Information, Warning, Error, Question };
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

// A file dialog's filter in the form "desc|pattern|desc|pattern||".
struct FileDialogRequest {
    std::string title;
    std::string filter;
    std::string defaultExtension;  // with its dot, e.g. ".SCD"
    std::string initialName;
};

// Everything a command needs to ask of the person at the keyboard. The desktop
// implements it with windows, the tests with a script, the command-line tool with
// answers given as flags.
class UserInterface {
public:
    virtual ~UserInterface() = default;

    virtual MessageAnswer ShowMessage(const std::string& title, const std::string& text,
                                      MessageIcon icon, MessageButtons buttons) = 0;
    // The same message with `detail` below it, e.g. why a file could not be read. An
    // interface that has no place for it shows it after a blank line.
    virtual MessageAnswer ShowMessageWithDetail(const std::string& title, const std::string& text,
                                                const std::string& detail, MessageIcon icon,
                                                MessageButtons buttons)
    {
        return ShowMessage(title, detail.empty() ? text : text + "\n\n" + detail, icon, buttons);
    }
    // The chosen path, or nothing when the person cancels.
    virtual std::optional<std::string> AskOpenFileName(const FileDialogRequest& request) = 0;
    // Asks before an existing file is overwritten.
    virtual std::optional<std::string> AskSaveFileName(const FileDialogRequest& request) = 0;
    // Runs a modal dialog on its model; true when the person pressed OK (or Yes).
    virtual bool RunDialog(DialogModel& dialog) = 0;
    // False when the clipboard cannot be had.
    virtual bool SetClipboardText(const std::string& text) = 0;
    // Shown while a long operation runs on the window thread.
    virtual void SetBusy(bool /*busy*/) {}
    // Says which step of a long operation runs and how far the whole has come
    // (0 to 100); the busy state's end clears it.
    virtual void ShowProgress(const std::string& /*step*/, int /*percent*/) {}
};

// Shows the busy state for the lifetime of the object.
class BusyScope {
public:
    explicit BusyScope(UserInterface& ui) : ui_(ui) { ui_.SetBusy(true); }
    ~BusyScope() { ui_.SetBusy(false); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    UserInterface& ui_;
};

// Base of every dialog model; the desktop finds the window for a model by its type.
class DialogModel {
public:
    virtual ~DialogModel() = default;
};
