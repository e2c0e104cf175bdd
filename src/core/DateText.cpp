#include "core/DateText.h"

#include "core/Clock.h"

#include <QRegularExpression>

QString dateText(const QDate& date) { return date.toString(QStringLiteral("yyyy-MM-dd")); }

QString dateTimeText(const QDateTime& moment)
{
    return moment.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

QString todayText() { return dateText(Clock::instance().now().date()); }

QDate parseDateText(const QString& text)
{
    // The year, month and day are the groups y, m and d of whichever shape matched.
    static const QRegularExpression shape(QStringLiteral(
        "^(?:(?<y>[12]\\d{3})(?<sep>[-/.])(?<m>\\d{1,2})\\k<sep>(?<d>\\d{1,2})"
        "|(?<y2>[12]\\d{3})年(?<m2>\\d{1,2})月(?<d2>\\d{1,2})日"
        "|(?<y3>[12]\\d{3})(?<m3>\\d{2})(?<d3>\\d{2}))"
        "(?:\\s+\\d{1,2}:\\d{2}(?::\\d{2})?)?$"));
    // Full-width digits and signs, as a Chinese input method may give them, read as ASCII.
    const QRegularExpressionMatch m = shape.match(text.normalized(QString::NormalizationForm_KC).trimmed());
    if (!m.hasMatch())
        return {};
    const auto number = [&m](const char* first, const char* second, const char* third) {
        for (const char* name : {first, second, third})
            if (m.hasCaptured(QString::fromLatin1(name)))
                return m.captured(QString::fromLatin1(name)).toInt();
        return 0;
    };
    return QDate(number("y", "y2", "y3"), number("m", "m2", "m3"), number("d", "d2", "d3"));
}

QString normalizedDateText(const QString& text)
{
    const QDate date = parseDateText(text);
    return date.isValid() ? dateText(date) : QString();
}

QString notADateMessage(const QString& fieldName, const QString& text)
{
    return QStringLiteral("%1“%2”不是日期，请按2017-04-11的样式输入!").arg(fieldName, text);
}
