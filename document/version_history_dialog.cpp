#include "document/version_history_dialog.h"

#include "document/xml_text.h"

#include <pwd.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>

CVerHistDialog::CVerHistDialog() : userName(LoggedOnUserName()) {}

std::string CVerHistDialog::LoggedOnUserName()
{
    std::string name;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_name) name = entry->pw_name;
    else if (const char* env = std::getenv("USER")) name = env;
    if (name.size() > 100) name.resize(100);
    return name;
}

void CVerHistDialog::SetValues(const VersionInfo& info)
{
    versionText = std::to_string(info.version);
    revisionText = std::to_string(info.revision);
    changeDescription = info.what;
    changeReason = info.why;
}

VersionInfo CVerHistDialog::Values() const
{
    VersionInfo info;
    long long number = 0;
    info.version = ParseDialogInteger(versionText, number) ? static_cast<int>(number) : 1;
    info.revision = ParseDialogInteger(revisionText, number) ? static_cast<int>(number) : 0;
    info.who = userName;
    info.what = changeDescription;
    info.why = changeReason;
    return info;
}

std::string CVerHistDialog::Accept()
{
    struct Field { const std::string& text; int min, max; };
    for (const Field& field : {Field{versionText, kMinVersion, kMaxVersion},
                               Field{revisionText, kMinRevision, kMaxRevision}}) {
        long long value = 0;
        if (!ParseDialogInteger(field.text, value)) return "Please enter an integer.";
        if (value < field.min || value > field.max)
            return "Please enter an integer between " + std::to_string(field.min) + " and " +
                   std::to_string(field.max) + ".";
    }
    // Text a project file cannot hold would make the saved project unreadable.
    struct Text { const char* label; const std::string& text; };
    for (const Text& field : {Text{"user name", userName}, Text{"change description", changeDescription},
                              Text{"change reason", changeReason}})
        if (!IsXmlText(field.text))
            return std::string("The ") + field.label +
                   " holds characters that cannot be saved (control characters or bytes that are not UTF-8).";
    return {};
}

bool ParseDialogInteger(const std::string& text, long long& value)
{
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    size_t digits = 0;
    long long number = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i, ++digits) {
        if (number > 1000000000000LL) return false;  // far outside every accepted range
        number = number * 10 + (text[i] - '0');
    }
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    if (digits == 0 || i != text.size()) return false;
    value = negative ? -number : number;
    return true;
}
