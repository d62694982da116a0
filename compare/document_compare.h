#pragma once
#include <libxml/tree.h>

#include <string>
#include <vector>

class SchemaDefaults;

// What differs between two SCL documents, element by element matched by identity
// (compare/scl_identity.h): the order of attributes and elements that are not dataset
// members, namespace prefixes, white space between elements and an attribute left out on
// one side at the value its schema gives it are no difference.
struct Difference {
    enum class Kind { Added, Removed, Changed };
    Kind kind;
    std::string path;        // the identity path from the root: IED[P1]/AccessPoint[AP1]/Server
    std::vector<std::string> steps;  // the path's steps
    std::string what;        // of a change: the attribute, "text" or "position"
    std::string before, after;
    const xmlNode* a = nullptr;  // in the first document: the element (removed, changed), the parent (added)
    const xmlNode* b = nullptr;  // the element in the second (added, changed)
};

// "+ PATH", "- PATH", "~ PATH: WHAT: BEFORE -> AFTER" ("(none)" for a value not there).
std::string DifferenceLine(const Difference& difference);

struct CompareOptions {
    bool header = false;                        // compare the Header too
    const SchemaDefaults* defaultsA = nullptr;  // the values left-out attributes have
    const SchemaDefaults* defaultsB = nullptr;
};

// The differences of the two documents below their roots; an element only in one is one
// difference, not one per descendant.
std::vector<Difference> CompareDocuments(const xmlNode* rootA, const xmlNode* rootB, const CompareOptions& options);

// The differences of IED `iedName` of A and the IED of that name in B (or B's only IED),
// with the data type templates each uses: a reference to a template whose content equals
// the other side's is no difference whatever the ids, and templates that differ are
// compared below their own paths. False, with `error`, when either IED is not there.
bool CompareIEDs(const xmlNode* rootA, const xmlNode* rootB, const std::string& iedName, const CompareOptions& options,
                 std::vector<Difference>& differences, std::string& error);
