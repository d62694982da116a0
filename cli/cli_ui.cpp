#include "cli/cli_ui.h"

#include "compare/compare_dialog.h"
#include "document/log_dialogs.h"

#include <algorithm>
#include <ostream>

MessageAnswer CliUi::ShowMessage(const std::string& title, const std::string& text, MessageIcon icon,
                                 MessageButtons buttons)
{
    return ShowMessageWithDetail(title, text, {}, icon, buttons);
}

MessageAnswer CliUi::ShowMessageWithDetail(const std::string& title, const std::string& text,
                                           const std::string& detail, MessageIcon icon, MessageButtons buttons)
{
    messagesShown.push_back(text);
    // A question the command line answered is not told.
    if (buttons != MessageButtons::Ok && std::find(yesTo.begin(), yesTo.end(), text) != yesTo.end())
        return MessageAnswer::Yes;
    if (icon != MessageIcon::Information) {
        err_ << title << ": " << text << "\n";
        if (!detail.empty()) err_ << "  " << detail << "\n";
    }
    if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    err_ << "No answer was given on the command line for: " << text << "\n";
    unanswered = true;
    return MessageAnswer::Cancel;
}

std::optional<std::string> CliUi::AskOpenFileName(const FileDialogRequest& request)
{
    err_ << "No file was named on the command line for: " << request.title << "\n";
    unanswered = true;
    return std::nullopt;
}

std::optional<std::string> CliUi::AskSaveFileName(const FileDialogRequest& request)
{
    if (saveFileName || printInsteadOfSaving) return saveFileName;
    return AskOpenFileName(request);
}

bool CliUi::RunDialog(DialogModel& dialog)
{
    if (auto* log = dynamic_cast<CXMLLogDialog*>(&dialog)) {
        if (printFindings) {
            err_ << log->Title() << ":\n";
            for (const std::string& line : log->Lines()) err_ << "  " << line << "\n";
        }
        return continueAfterFindings;
    }
    // The command prints the verification log itself, on stdout; `diff --ied` shows what
    // an update changes.
    if (dynamic_cast<CVerifyDialog*>(&dialog) || dynamic_cast<CCompareDialog*>(&dialog)) return true;
    if (fillDialog) return fillDialog(dialog);
    err_ << "No answers were given on the command line for a dialog.\n";
    unanswered = true;
    return false;
}

bool CliUi::SetClipboardText(const std::string&)
{
    return false;
}
