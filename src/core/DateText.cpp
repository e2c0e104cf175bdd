#include "core/DateText.h"

#include "core/Clock.h"

QString dateText(const QDate& date) { return date.toString(QStringLiteral("yyyy-MM-dd")); }

QString dateTimeText(const QDateTime& moment)
{
    return moment.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

QString todayText() { return dateText(Clock::instance().now().date()); }

QDate parseDateText(const QString& text)
{
    const QString datePart = text.trimmed().section(QLatin1Char(' '), 0, 0);
    const QStringList parts = datePart.split(QLatin1Char('-'));
    if (parts.size() != 3)
        return {};
    bool okY = false, okM = false, okD = false;
    const QDate d(parts[0].toInt(&okY), parts[1].toInt(&okM), parts[2].toInt(&okD));
    return okY && okM && okD ? d : QDate();
}
