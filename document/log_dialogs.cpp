#include "document/log_dialogs.h"

#include <charconv>
#include <cstdio>
#include <memory>

std::optional<LogLineSource> ParseLogLine(std::string_view line)
{
    // The first ":N: " after a non-empty path; the colon of a drive letter is followed
    // by no digits.
    for (size_t colon = line.find(':', 1); colon != std::string_view::npos; colon = line.find(':', colon + 1)) {
        const size_t digits = colon + 1;
        size_t end = digits;
        while (end < line.size() && line[end] >= '0' && line[end] <= '9') ++end;
        if (end == digits || line.substr(end, 2) != ": ") continue;
        LogLineSource source;
        if (std::from_chars(line.data() + digits, line.data() + end, source.line).ec != std::errc()) continue;
        source.path = line.substr(0, colon);
        source.message = line.substr(end + 2);
        constexpr std::string_view kElement = "element ";
        if (source.message.substr(0, kElement.size()) == kElement) {
            const size_t nameEnd = source.message.find(": ", kElement.size());
            if (nameEnd != std::string_view::npos)
                source.element = source.message.substr(kElement.size(), nameEnd - kElement.size());
        }
        return source;
    }
    return std::nullopt;
}

LogDialogModel::LogDialogModel(std::string title, std::vector<std::string> lines)
    : title_(std::move(title)), lines_(std::move(lines))
{
    for (const std::string& line : lines_) {
        if (const std::optional<LogLineSource> source = ParseLogLine(line)) {
            file_ = source->path;
            break;
        }
    }
}

std::string LogDialogModel::WindowTitle() const
{
    if (file_.empty()) return title_;
    const size_t slash = file_.find_last_of('/');
    return title_ + " - " + (slash == std::string::npos ? file_ : file_.substr(slash + 1));
}

namespace {

// The schema's message as a person reads it: without libxml2's "Schemas validity
// error : " tag and with element names shown without their "{namespace}".
std::string ReadableMessage(std::string_view message)
{
    constexpr std::string_view kTag = "Schemas validity error : ";
    std::string text;
    for (size_t at = 0; at < message.size();) {
        if (message.substr(at, kTag.size()) == kTag) {
            at += kTag.size();
            continue;
        }
        const size_t close = message[at] == '{' ? message.find('}', at) : std::string_view::npos;
        if (close != std::string_view::npos &&
            message.substr(at, close - at).find_first_of(" '") == std::string_view::npos) {
            at = close + 1;
            continue;
        }
        text += message[at++];
    }
    return text;
}

}  // namespace

std::string LogDialogModel::ShownLine(size_t index) const
{
    const std::string& line = lines_.at(index);
    const std::optional<LogLineSource> source = ParseLogLine(line);
    if (!source || source->path != file_) return line;
    return "line " + std::to_string(source->line) + ": " + ReadableMessage(source->message);
}

void LogDialogModel::ActivateLine(size_t index) const
{
    if (lineHandler_ && index < lines_.size()) lineHandler_(lines_[index]);
}

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
