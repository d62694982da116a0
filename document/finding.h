#pragma once
#include <libxml/tree.h>

#include <string>

// One finding of a check: how grave it is, the rule that found it, where (the IED, the
// LD inst and the control block it concerns, "" where they do not apply) and what.
enum class FindingLevel { Error, Warning };

struct Finding {
    FindingLevel level;
    std::string rule;
    std::string ied;
    std::string ldInst;
    std::string controlBlock;
    std::string text;
    xmlNode* element = nullptr;  // the element it is about, when there is one
};

// "Error: TEXT" or "Warning: TEXT", as the verification log shows it.
std::string FindingLine(const Finding& finding);
// level<TAB>rule<TAB>IED<TAB>LD inst<TAB>control block<TAB>text; tabs and line breaks in
// the fields become spaces.
std::string FindingTsv(const Finding& finding);
