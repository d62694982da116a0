#pragma once
#include "document/user_interface.h"

#include <string>

// The values of one version history entry.
struct VersionInfo {
    std::string who;
    std::string what;
    std::string why;
    int version = 1;
    int revision = 1;
};

// "Version history": asks for the entry written on save. The two numbers are
// edited as text so that the checks of OK can refuse what is no integer.
class CVerHistDialog : public DialogModel {
public:
    static constexpr int kMinVersion = 1, kMaxVersion = 1000000;
    static constexpr int kMinRevision = 0, kMaxRevision = 1000000;

    // Starts with the logged-on user's name (up to 100 characters).
    CVerHistDialog();

    // Fills version, revision, description and reason; the user name is kept.
    void SetValues(const VersionInfo& info);
    // All five values; only meaningful after Accept() succeeded.
    VersionInfo Values() const;

    std::string versionText = "1";
    std::string revisionText = "1";
    std::string userName;
    std::string changeDescription;
    std::string changeReason;

    // The checks of OK: "" when both numbers are acceptable, otherwise the message
    // to show while the dialog stays open.
    std::string Accept();

    static std::string LoggedOnUserName();
};

// Reads a whole number as the dialog does: optional white space and sign, digits,
// optional trailing white space. False when the text is not such a number.
bool ParseDialogInteger(const std::string& text, long long& value);
