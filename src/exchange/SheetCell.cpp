#include "exchange/SheetCell.h"

#include "core/NumberText.h"

#include <QDateTime>

#include <cmath>

namespace {
const QDate kEpoch(1899, 12, 30);
constexpr qint64 kSecondsPerDay = 86400;
}

SheetCell SheetCell::fromText(const QString& text)
{
    if (text.isEmpty())
        return {};
    return {Kind::Text, false, 0, text};
}

SheetCell SheetCell::fromPooledText(const QString& text)
{
    if (text.isEmpty())
        return {};
    return {Kind::Text, true, 0, text};
}

SheetCell SheetCell::fromNumber(double value) { return {Kind::Number, false, value, {}}; }

SheetCell SheetCell::fromSerialDate(double serial) { return {Kind::Date, false, serial, {}}; }

QString SheetCell::displayText() const
{
    switch (kind) {
    case Kind::Text:
        return pooled ? QString(text.constData(), text.size()) : text;
    case Kind::Number:
        return numberText(number);
    case Kind::Date:
        return serialDateText(number);
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

QString serialDateText(double serial)
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
    const QString dateText = date.toString(QStringLiteral("yyyy-MM-dd"));
    if (rest == 0)
        return dateText;
    const QTime time = QTime(0, 0).addSecs(int(rest));
    if (serial < 1)
        return time.toString(QStringLiteral("hh:mm:ss"));
    return dateText + QLatin1Char(' ') + time.toString(QStringLiteral("hh:mm:ss"));
}
