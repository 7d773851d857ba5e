#include "ui/FileFilter.h"

#include <QRegularExpression>

QStringList ToNameFilters(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString label = parts[i].trimmed();
        const QString patterns = parts[i + 1]
                                     .split(QLatin1Char(';'), Qt::SkipEmptyParts)
                                     .replaceInStrings(QRegularExpression("\\s+"), QString())
                                     .join(QLatin1Char(' '));
        if (label.isEmpty() && patterns.isEmpty()) break; // the closing "||"
        if (patterns.isEmpty()) continue;
        label.remove(QRegularExpression("\\([^()]*\\)\\s*$"));
        label = label.trimmed();
        result << (label.isEmpty() ? QString() : label + QLatin1Char(' ')) + '(' + patterns + ')';
    }
    if (result.isEmpty()) result << QStringLiteral("(*)");
    return result;
}
