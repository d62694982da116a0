#pragma once
#include <string>
#include <string_view>
#include <vector>

// One line of a member list: the data path and the functional constraint, if given.
struct MemberLine {
    std::string text;  // the line without the blanks around it
    std::string path;  // LD/LN.DO[.SDO][.DA[.BDA]]
    std::string fc;
};

// The members of a member list, one a line in the form "PATH [FC]", blank lines skipped.
std::vector<MemberLine> ParseMemberLines(std::string_view text);
