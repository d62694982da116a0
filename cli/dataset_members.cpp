#include "cli/dataset_members.h"

#include "cli/text_lines.h"

namespace {

std::string Trimmed(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace

std::vector<MemberLine> ParseMemberLines(std::string_view text)
{
    std::vector<MemberLine> members;
    for (const std::string& line : TextLines(text)) {
        MemberLine member{Trimmed(line), "", ""};
        if (member.text.empty()) continue;
        member.path = member.text;
        size_t open = member.text.rfind(" [");
        if (open != std::string::npos && member.text.back() == ']') {
            member.path = Trimmed(member.text.substr(0, open));
            member.fc = member.text.substr(open + 2, member.text.size() - open - 3);
        }
        members.push_back(std::move(member));
    }
    return members;
}
