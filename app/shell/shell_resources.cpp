#include "app/shell/shell_resources.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cctype>
#include <sstream>

namespace {

constexpr size_t kValueBufferSize = 500;

std::string Trim(const std::string& text)
{
    size_t begin = 0, end = text.size();
    while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) ++begin;
    while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
    return text.substr(begin, end - begin);
}

bool SameIgnoringCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

std::string ReadProfileString(const std::string& iniText, const std::string& section, const std::string& key)
{
    std::istringstream lines(iniText);
    std::string line;
    bool inSection = false;
    while (std::getline(lines, line)) {
        line = Trim(line);
        if (line.empty() || line[0] == ';') continue;
        if (line.front() == '[') {
            size_t close = line.find(']');
            inSection = close != std::string::npos && SameIgnoringCase(Trim(line.substr(1, close - 1)), section);
            continue;
        }
        size_t equals = line.find('=');
        if (!inSection || equals == std::string::npos || !SameIgnoringCase(Trim(line.substr(0, equals)), key))
            continue;
        std::string value = Trim(line.substr(equals + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        if (value.size() > kValueBufferSize - 1) value.resize(kValueBufferSize - 1);
        return value;
    }
    return {};
}

ShellResources ShellResources::Read(const QString& programDir)
{
    ShellResources resources;
    resources.programDir = programDir;
    QFile file(QDir(programDir).filePath("resources.ini"));
    if (!file.open(QIODevice::ReadOnly)) return resources;
    std::string text = file.readAll().toStdString();
    resources.company = ReadProfileString(text, "main", "company");
    resources.www = ReadProfileString(text, "main", "www");
    resources.banner = ReadProfileString(text, "main", "banner");
    resources.logo = ReadProfileString(text, "main", "logo");
    return resources;
}

QString ShellResources::PicturePath(const std::string& value) const
{
    if (value.empty()) return {};
    return QDir(programDir).filePath(QString::fromStdString(value));
}
