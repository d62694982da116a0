#include "app/shell/file_filter.h"

#include <QRegularExpression>

namespace {

QStringList PatternsOf(const QString& field)
{
    QStringList patterns;
    auto add = [&](const QString& pattern) {
        if (!pattern.isEmpty() && !patterns.contains(pattern)) patterns.append(pattern);
    };
    for (QString pattern : field.split(';', Qt::SkipEmptyParts)) {
        pattern = pattern.trimmed();
        if (pattern == QLatin1String("*.*")) {
            add(QStringLiteral("*"));
            continue;
        }
        add(pattern);
        add(pattern.toLower());
        add(pattern.toUpper());
    }
    return patterns;
}

}  // namespace

QStringList QtNameFilters(const std::string& filter)
{
    // Qt reads a filter's patterns from the parentheses at the end of its description,
    // so the description's own parenthesised patterns give way to the real ones.
    static const QRegularExpression trailingPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    QStringList fields = QString::fromStdString(filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < fields.size(); i += 2) {
        if (fields[i].isEmpty()) break;
        QString description = fields[i];
        description.remove(trailingPatterns);
        QStringList patterns = PatternsOf(fields[i + 1]);
        if (patterns.isEmpty()) continue;
        filters.append(description + QStringLiteral(" (") + patterns.join(' ') + ')');
    }
    return filters;
}

QString QtDefaultSuffix(const std::string& defaultExtension)
{
    QString suffix = QString::fromStdString(defaultExtension);
    while (suffix.startsWith('.')) suffix.remove(0, 1);
    return suffix;
}
