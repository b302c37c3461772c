#include "core/session/FileFilter.h"

QStringList ClassicFilterToNameFilters(const QString& filter) {
    QStringList result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts.at(i).trimmed();
        QStringList patterns = parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns)
            pattern = pattern.trimmed();
        patterns.removeAll(QString());
        if (patterns.isEmpty())
            continue;
        const QString joined = patterns.join(QLatin1Char(' '));
        result.append(description.isEmpty()
                          ? joined
                          : description + QStringLiteral(" (") + joined + QLatin1Char(')'));
    }
    return result;
}

QString SelectedNameFilter(const QStringList& nameFilters, int filterIndex) {
    if (nameFilters.isEmpty())
        return {};
    if (filterIndex < 1 || filterIndex > nameFilters.size())
        return nameFilters.first();
    return nameFilters.at(filterIndex - 1);
}
