#include "sheets/SheetCell.h"

#include "core/DateText.h"
#include "core/NumberText.h"

#include <QDateTime>

#include <cmath>

namespace {
const QDate kEpoch(1899, 12, 30);
constexpr qint64 kSecondsPerDay = 86400;
}

SheetCell SheetCell::fromText(const QString& text)
{
    SheetCell cell;
    if (!text.isEmpty()) {
        cell.kind = Kind::Text;
        cell.text = text;
    }
    return cell;
}

SheetCell SheetCell::fromPooledUtf8(const char* utf8, std::uint32_t size)
{
    SheetCell cell;
    if (size > 0) {
        cell.kind = Kind::Text;
        cell.pooled = utf8;
        cell.pooledSize = size;
    }
    return cell;
}

SheetCell SheetCell::fromNumber(double value)
{
    SheetCell cell;
    cell.kind = Kind::Number;
    cell.number = value;
    return cell;
}

SheetCell SheetCell::fromSerialDate(double serial, DateParts shows)
{
    SheetCell cell;
    cell.kind = Kind::Date;
    cell.shows = shows;
    cell.number = serial;
    return cell;
}

DateParts SheetCell::shownParts() const
{
    if (shows != DateParts::None)
        return shows;
    return number == std::floor(number) ? DateParts::Date : DateParts::DateTime;
}

QString SheetCell::displayText() const
{
    switch (kind) {
    case Kind::Text:
        return pooledSize > 0 ? QString::fromUtf8(pooled, pooledSize) : text;
    case Kind::Number:
        return numberText(number);
    case Kind::Date:
        return serialDateText(number, shows);
    case Kind::Empty:
        break;
    }
    return {};
}

double serialFromDateTime(const QDateTime& moment)
{
    const qint64 days = kEpoch.daysTo(moment.date());
    const double serial = double(days) + double(moment.time().msecsSinceStartOfDay()) / (kSecondsPerDay * 1000.0);
    return serial < 61 ? serial - 1 : serial;
}

namespace {
// Durations past this many days (some 2,700 years) show as the number they are.
constexpr double kLongestDuration = 1e6;

QString twoDigits(qint64 value) { return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')); }

QString elapsedText(double serial, DateParts unit)
{
    if (!std::isfinite(serial) || std::fabs(serial) > kLongestDuration)
        return numberText(serial);
    const qint64 seconds = std::llround(std::fabs(serial) * kSecondsPerDay);
    const QString sign = serial < 0 && seconds > 0 ? QStringLiteral("-") : QString();
    switch (unit) {
    case DateParts::ElapsedHours:
        return sign + QString::number(seconds / 3600) + QLatin1Char(':') + twoDigits(seconds / 60 % 60) +
               QLatin1Char(':') + twoDigits(seconds % 60);
    case DateParts::ElapsedMinutes:
        return sign + QString::number(seconds / 60) + QLatin1Char(':') + twoDigits(seconds % 60);
    default:
        return sign + QString::number(seconds);
    }
}
}

double serialIn1900System(double value, double dateShift, DateParts shows)
{
    const bool timeOfDay = shows == DateParts::Time && value >= 0 && value < 1;
    return isElapsed(shows) || timeOfDay ? value : value + dateShift;
}

QString serialDateText(double serial, DateParts shows)
{
    if (isElapsed(shows))
        return elapsedText(serial, shows);
    if (!std::isfinite(serial) || serial < 0 || serial > 2958466)
        return numberText(serial);
    // Whole seconds, rounded, so that 0.99999 of a day past midnight is the next day.
    const qint64 seconds = std::llround(serial * kSecondsPerDay);
    qint64 days = seconds / kSecondsPerDay;
    const qint64 rest = seconds % kSecondsPerDay;
    if (days < 61)
        days += 1;
    const QDate date = kEpoch.addDays(days);
    if (shows == DateParts::Date || (rest == 0 && shows == DateParts::None))
        return dateText(date);
    const QString time = QTime(0, 0).addSecs(int(rest)).toString(QStringLiteral("hh:mm:ss"));
    if (shows == DateParts::Time || serial < 1)
        return time;
    return dateText(date) + QLatin1Char(' ') + time;
}
