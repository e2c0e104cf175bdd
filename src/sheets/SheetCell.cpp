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

QString serialDateText(double serial, DateParts shows)
{
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
