// Helpers shared by the tests of the core layer.
#pragma once
#include "document/xml_access.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

using TreePtr = std::unique_ptr<xmlDoc, void (*)(xmlDoc*)>;

inline TreePtr ParsedTree(const std::string& text)
{
    return TreePtr(ParseSclText(text), xmlFreeDoc);
}

// The element reached from `node` through the first child of each name in `path`.
inline xmlNode* ElementAt(xmlNode* node, std::initializer_list<const char*> path)
{
    for (const char* name : path) node = FindChildElement(node, name);
    return node;
}

// `text` with its first `from` replaced by `to`; `from` must occur.
inline std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// The names in a folder, sorted.
inline std::vector<std::string> NamesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// How many of `lines` hold `part`.
inline long LinesWith(const std::vector<std::string>& lines, const std::string& part)
{
    return std::count_if(lines.begin(), lines.end(),
                         [&](const std::string& line) { return line.find(part) != std::string::npos; });
}

// IED P1 whose access point AP1 serves `ldevices`.
inline std::string ServerOf(const std::string& ldevices)
{
    return "<IED name=\"P1\"><AccessPoint name=\"AP1\"><Server><Authentication/>" + ldevices +
           "</Server></AccessPoint></IED>";
}

// A logical device LD0 whose LLN0 holds `content`.
inline std::string Lln0Of(const std::string& content)
{
    return "<LDevice inst=\"LD0\"><LN0 lnClass=\"LLN0\" inst=\"\" lnType=\"T\">" + content + "</LN0></LDevice>";
}
