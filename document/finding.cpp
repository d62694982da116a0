#include "document/finding.h"

#include <algorithm>

namespace {

const char* LevelName(FindingLevel level) { return level == FindingLevel::Error ? "Error" : "Warning"; }

std::string Field(std::string text)
{
    std::replace_if(text.begin(), text.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
    return text;
}

}  // namespace

std::string FindingLine(const Finding& finding)
{
    return std::string(LevelName(finding.level)) + ": " + finding.text;
}

std::string FindingTsv(const Finding& finding)
{
    std::string line = LevelName(finding.level);
    for (const std::string* field :
         {&finding.rule, &finding.ied, &finding.ldInst, &finding.controlBlock, &finding.text})
        line += "\t" + Field(*field);
    return line;
}
