#include "support/fake_ui.h"

#include <typeinfo>

MessageAnswer FakeUi::ShowMessage(const std::string& title, const std::string& text,
                                  MessageIcon icon, MessageButtons buttons)
{
    return ShowMessageWithDetail(title, text, {}, icon, buttons);
}

MessageAnswer FakeUi::ShowMessageWithDetail(const std::string& title, const std::string& text,
                                            const std::string& detail, MessageIcon icon, MessageButtons buttons)
{
    messages.push_back({title, text, icon, buttons, detail});
    if (!messageAnswers.empty()) {
        MessageAnswer answer = messageAnswers.front();
        messageAnswers.pop_front();
        return answer;
    }
    switch (buttons) {
    case MessageButtons::Ok: return MessageAnswer::Ok;
    case MessageButtons::YesNo: return MessageAnswer::No;
    default: return MessageAnswer::Cancel;
    }
}

static std::optional<std::string> TakeFront(std::deque<std::optional<std::string>>& queue)
{
    if (queue.empty()) return std::nullopt;
    std::optional<std::string> name = queue.front();
    queue.pop_front();
    return name;
}

std::optional<std::string> FakeUi::AskOpenFileName(const FileDialogRequest& request)
{
    fileRequests.push_back(request);
    return TakeFront(openFileNames);
}

std::optional<std::string> FakeUi::AskSaveFileName(const FileDialogRequest& request)
{
    fileRequests.push_back(request);
    return TakeFront(saveFileNames);
}

bool FakeUi::RunDialog(DialogModel& dialog)
{
    dialogsShown.push_back(typeid(dialog).name());
    return onDialog ? onDialog(dialog) : false;
}

bool FakeUi::SetClipboardText(const std::string& text)
{
    if (!clipboardAvailable) return false;
    clipboard = text;
    return true;
}
