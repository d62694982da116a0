#pragma once
#include "core/user_interface.h"

#include <string>
#include <vector>

// A window listing findings, one per line, that can save them to a text file and
// copy them to the clipboard.
class LogDialogModel : public DialogModel {
public:
    LogDialogModel(std::string title, std::vector<std::string> lines)
        : title_(std::move(title)), lines_(std::move(lines)) {}

    const std::string& Title() const { return title_; }
    const std::vector<std::string>& Lines() const { return lines_; }

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
