#include "cli/text_lines.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ostream>

namespace {

std::string TooLarge()
{
    return "larger than " + std::to_string(kMaxTextFileSize >> 20) + " MiB";
}

}  // namespace

bool ReadTextFile(const std::string& source, std::string& text, std::ostream& err)
{
    auto refuse = [&](const std::string& cause) {
        err << source << ": cannot be read: " << cause << "\n";
        return false;
    };
    int descriptor = STDIN_FILENO;
    if (source != "-") {
        // Checked before opening, which would wait for a writer on a named pipe.
        struct stat info {};
        if (stat(source.c_str(), &info) != 0) return refuse(std::strerror(errno));
        if (!S_ISREG(info.st_mode)) return refuse("not a regular file");
        if (static_cast<unsigned long long>(info.st_size) > kMaxTextFileSize) return refuse(TooLarge());
        descriptor = open(source.c_str(), O_RDONLY | O_CLOEXEC);
        if (descriptor < 0) return refuse(std::strerror(errno));
    }
    text.clear();
    std::string cause;
    char buffer[1 << 16];
    for (;;) {
        ssize_t count = read(descriptor, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) cause = std::strerror(errno);
        else if (text.size() + static_cast<size_t>(count) > kMaxTextFileSize) cause = TooLarge();
        if (count <= 0 || !cause.empty()) break;
        text.append(buffer, static_cast<size_t>(count));
    }
    if (descriptor != STDIN_FILENO) close(descriptor);
    if (cause.empty()) return true;
    text.clear();
    return refuse(cause);
}

std::vector<std::string> TextLines(std::string_view text)
{
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    std::vector<std::string> lines;
    while (!text.empty()) {
        size_t end = text.find('\n');
        lines.emplace_back(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}
