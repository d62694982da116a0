#pragma once
#include <QString>

#include <string>

// The [main] section of the optional resources.ini in the program's folder: a company
// name and web address for the About box, and pictures replacing the built-in ones.
struct ShellResources {
    std::string company;
    std::string www;
    std::string banner;  // file name relative to the program folder
    std::string logo;    // file name relative to the program folder
    QString programDir;

    static ShellResources Read(const QString& programDir);
    // Full path of a picture named in the file; empty when the key is empty.
    QString PicturePath(const std::string& value) const;
};

// One value of an ini text, read the way private-profile files are: section and key
// compared without regard to case, blanks around both trimmed, one pair of enclosing
// quotes removed, at most 499 characters. Empty when absent.
std::string ReadProfileString(const std::string& iniText, const std::string& section, const std::string& key);
