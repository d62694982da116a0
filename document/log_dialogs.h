#pragma once
#include "document/user_interface.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Where a line of a log points, when it starts the way libxml2 writes its messages:
// "PATH:N: element E: text". `element` is E, or empty when the message names none.
struct LogLineSource {
    std::string_view path;
    long line = 0;
    std::string_view message;  // all after "PATH:N: "
    std::string_view element;
};
std::optional<LogLineSource> ParseLogLine(std::string_view line);

// A window listing findings, one per line, that can save them to a text file and
// copy them to the clipboard. Lines that point into the log's file (the file the first
// such line names) are shown as "line N: text", the file named once in the title.
class LogDialogModel : public DialogModel {
public:
    LogDialogModel(std::string title, std::vector<std::string> lines);

    const std::string& Title() const { return title_; }
    const std::vector<std::string>& Lines() const { return lines_; }

    // The title, followed by the name (without folder) of the log's file if it has one.
    std::string WindowTitle() const;
    // The line as the window shows it: a line of the log's file as "line N: " and its
    // message without libxml2's tag and namespaces; copied and saved lines stay whole.
    std::string ShownLine(size_t index) const;

    // Called with the whole line when the person activates it in the window.
    using LineHandler = std::function<void(const std::string& line)>;
    void SetLineHandler(LineHandler handler) { lineHandler_ = std::move(handler); }
    void ActivateLine(size_t index) const;

    // The lines, each followed by CR LF.
    std::string Text() const;
    // Asks for a file and writes Text() into it; nothing happens on Cancel or when
    // the file cannot be written. True when the file was written.
    bool SaveLogToFile(UserInterface& ui) const;
    bool CopyLogToClipboard(UserInterface& ui) const;

    static const char* SaveTooltip() { return "Save log to file"; }
    static const char* CopyTooltip() { return "Copy log to clipboard"; }

private:
    std::string title_;
    std::vector<std::string> lines_;
    std::string file_;
    LineHandler lineHandler_;
};

// Asks whether to go on after a file failed a check: Yes goes on, No stops.
class CXMLLogDialog : public LogDialogModel {
public:
    explicit CXMLLogDialog(std::vector<std::string> lines, std::string title = "XML Parser Log")
        : LogDialogModel(std::move(title), std::move(lines)) {}
    static const char* Prompt()
    {
        return "There were problems detected during validation of document according to SCL schema. Continue?";
    }
};

// "Verification log": the findings of a verification, closed with OK.
class CVerifyDialog : public LogDialogModel {
public:
    explicit CVerifyDialog(std::vector<std::string> lines)
        : LogDialogModel("Verification log", std::move(lines)) {}
};
