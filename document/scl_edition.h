#pragma once
#include <libxml/tree.h>

#include <optional>
#include <string>
#include <string_view>

// The editions of SCL that the program has a built-in schema for, oldest first.
enum class SclEdition { Ed2003, Ed2007B, Ed2007B4 };

inline constexpr SclEdition kNewestEdition = SclEdition::Ed2007B4;

// "2003", "2007B", "2007B4": the names the command line, the status bar and the logs use.
const char* EditionName(SclEdition edition);
std::optional<SclEdition> EditionNamed(std::string_view name);

// The edition a root's version, revision and release declare: without version 2007,
// 2003; revision A, or B below release 4, 2007B; B from release 4 on, or a later
// revision, 2007B4.
SclEdition EditionOfRoot(const xmlNode* root);
// Whether the root declares a revision or release after the newest built-in schema's.
bool IsNewerThanBuiltIn(const xmlNode* root);
// "2007 revision B release 5": what the root declares, for messages.
std::string DeclaredEditionText(const xmlNode* root);

// Orders two roots by what they declare (version, then revision, then release):
// negative when `a` is older, 0 when equal, positive when newer.
int CompareDeclaredEditions(const xmlNode* a, const xmlNode* b);
// Gives `root` the version, revision and release of `from` (removing those `from` lacks).
void CopyDeclaredEdition(xmlNode* root, const xmlNode* from);
// Gives `root` the version, revision and release an edition's files declare.
void DeclareEdition(xmlNode* root, SclEdition edition);
