#include "core/log_dialogs.h"

#include <cstdio>
#include <memory>

std::string LogDialogModel::Text() const
{
    std::string text;
    for (const std::string& line : lines_) {
        text += line;
        text += "\r\n";
    }
    return text;
}

bool LogDialogModel::SaveLogToFile(UserInterface& ui) const
{
    FileDialogRequest request;
    request.title = SaveTooltip();
    request.filter = "TXT Files (*.txt)|*.txt|All Files (*.*)|*.*||";
    request.defaultExtension = ".txt";
    std::optional<std::string> path = ui.AskSaveFileName(request);
    if (!path) return false;
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path->c_str(), "wb"), std::fclose);
    if (!file) return false;
    std::string text = Text();
    bool written = std::fwrite(text.data(), 1, text.size(), file.get()) == text.size();
    return std::fclose(file.release()) == 0 && written;
}

bool LogDialogModel::CopyLogToClipboard(UserInterface& ui) const
{
    return ui.SetClipboardText(Text());
}
