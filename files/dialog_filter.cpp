// Translation of "description|pattern" filters into Qt file-dialog filters.
#include "files/dialog_filter.h"

#include <QStringList>

namespace zumeli {

QString qtFileDialogFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        QString patterns = parts[i + 1];
        // A description that already ends in its own single pattern, "(*.zml)", is what Qt
        // reads the pattern from; adding it again would show it twice.
        if (!patterns.contains(QLatin1Char(';'))
            && description.endsWith(QLatin1Char('(') + patterns + QLatin1Char(')'))) {
            entries << description;
            continue;
        }
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        entries << description + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}

QString defaultSuffix(const QString& filter)
{
    const QString first = filter.section(QLatin1Char('|'), 1, 1).section(QLatin1Char(';'), 0, 0);
    if (!first.startsWith(QStringLiteral("*.")))
        return {};
    const QString suffix = first.mid(2);
    return suffix.isEmpty() || suffix.contains(QLatin1Char('*')) ? QString() : suffix;
}

} // namespace zumeli
