#pragma once
#include <QString>
#include <QStringList>

#include <string>

// A filter of the form "desc|pattern|desc|pattern||" as the name filters of a Qt file
// dialog. Patterns match either case ("*.SCD" also finds x.scd) and "*.*" matches
// every file, with or without an extension.
QStringList QtNameFilters(const std::string& filter);

// ".SCD" as the suffix a file dialog appends to a name typed without one.
QString QtDefaultSuffix(const std::string& defaultExtension);
