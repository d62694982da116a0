#include "document/scl_edition.h"

#include "document/tree_edit.h"
#include "document/xml_access.h"

#include <charconv>
#include <cstring>

namespace {

constexpr const char* kEditionAttributes[] = {"version", "revision", "release"};

bool DeclaresVersion2007(const xmlNode* root)
{
    return std::strcmp(GetAttribute(root, "version"), "2007") == 0;
}

// The release as a number; 0 when absent or not a number.
int ReleaseNumber(const xmlNode* root)
{
    std::string_view text = GetAttribute(root, "release");
    int release = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), release);
    if (error != std::errc() || end != text.data() + text.size()) return 0;
    return release;
}

// Revisions are single capital letters; anything else sorts as no revision.
char RevisionLetter(const xmlNode* root)
{
    const char* revision = GetAttribute(root, "revision");
    return revision[0] >= 'A' && revision[0] <= 'Z' && revision[1] == '\0' ? revision[0] : '\0';
}

}  // namespace

const char* EditionName(SclEdition edition)
{
    switch (edition) {
    case SclEdition::Ed2003: return "2003";
    case SclEdition::Ed2007B: return "2007B";
    case SclEdition::Ed2007B4: return "2007B4";
    }
    return "2003";
}

std::optional<SclEdition> EditionNamed(std::string_view name)
{
    for (SclEdition edition : {SclEdition::Ed2003, SclEdition::Ed2007B, SclEdition::Ed2007B4})
        if (name == EditionName(edition)) return edition;
    return std::nullopt;
}

SclEdition EditionOfRoot(const xmlNode* root)
{
    if (!DeclaresVersion2007(root)) return SclEdition::Ed2003;
    const char revision = RevisionLetter(root);
    if (revision > 'B' || (revision == 'B' && ReleaseNumber(root) >= 4)) return SclEdition::Ed2007B4;
    return SclEdition::Ed2007B;
}

bool IsNewerThanBuiltIn(const xmlNode* root)
{
    if (!DeclaresVersion2007(root)) return false;
    const char revision = RevisionLetter(root);
    return revision > 'B' || (revision == 'B' && ReleaseNumber(root) > 4);
}

std::string DeclaredEditionText(const xmlNode* root)
{
    std::string text = GetAttribute(root, "version");
    if (text.empty()) return "no version";
    for (const char* name : {"revision", "release"})
        if (*GetAttribute(root, name)) text += std::string(" ") + name + " " + GetAttribute(root, name);
    return text;
}

int CompareDeclaredEditions(const xmlNode* a, const xmlNode* b)
{
    if (int order = std::strcmp(GetAttribute(a, "version"), GetAttribute(b, "version"))) return order;
    if (int order = RevisionLetter(a) - RevisionLetter(b)) return order;
    return ReleaseNumber(a) - ReleaseNumber(b);
}

void CopyDeclaredEdition(xmlNode* root, const xmlNode* from)
{
    for (const char* name : kEditionAttributes) {
        if (*GetAttribute(from, name)) EditSetAttribute(root, name, GetAttribute(from, name));
        else EditRemoveAttribute(root, name);
    }
}

void DeclareEdition(xmlNode* root, SclEdition edition)
{
    const char* values[3] = {nullptr, nullptr, nullptr};
    if (edition == SclEdition::Ed2007B) values[0] = "2007", values[1] = "B";
    if (edition == SclEdition::Ed2007B4) values[0] = "2007", values[1] = "B", values[2] = "4";
    for (int i = 0; i < 3; ++i) {
        if (values[i]) EditSetAttribute(root, kEditionAttributes[i], values[i]);
        else EditRemoveAttribute(root, kEditionAttributes[i]);
    }
}
