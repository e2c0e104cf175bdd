#include "maintenance/ImportValues.h"

#include "core/DateText.h"

#include <QRegularExpression>

#include <cmath>

namespace {
QVariant numberValue(double number)
{
    if (number == std::trunc(number) && std::fabs(number) < 1e15)
        return QVariant(static_cast<qint64>(number));
    return QVariant(number);
}

FieldValue refused(const QString& reason, const QString& text) { return {{}, reason.arg(text)}; }

FieldValue number(const SheetCell& cell, const QString& text)
{
    if (cell.kind == SheetCell::Kind::Number)
        return {numberValue(cell.number), {}};
    bool ok = false;
    const double value = cell.kind == SheetCell::Kind::Text ? text.toDouble(&ok) : 0;
    if (!ok || !std::isfinite(value))
        return refused(QStringLiteral("“%1”不是数字"), text);
    return {numberValue(value), {}};
}

// The time a text gives after its date, as "hh:mm:ss"; empty when it gives none.
QString timeOf(const QString& text)
{
    static const QRegularExpression time(QStringLiteral("\\s(\\d{1,2}):(\\d{2})(?::(\\d{2}))?$"));
    const QRegularExpressionMatch m = time.match(text);
    if (!m.hasMatch())
        return {};
    return QTime(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt()).toString(QStringLiteral("hh:mm:ss"));
}

FieldValue date(const QString& text, bool withTime)
{
    const QString day = normalizedDateText(text);
    if (day.isEmpty())
        return refused(QStringLiteral("“%1”不是日期"), text);
    const QString time = withTime ? timeOf(text) : QString();
    return {time.isEmpty() ? day : day + QLatin1Char(' ') + time, {}};
}

// "2017-04-11 00:00:00" is a date that came with the time of midnight.
QString withoutMidnight(const QString& text)
{
    static const QRegularExpression midnight(QStringLiteral("^(\\d{4}-\\d{1,2}-\\d{1,2}) 00:00:00$"));
    const QRegularExpressionMatch m = midnight.match(text);
    return m.hasMatch() ? m.captured(1) : text;
}
}

FieldValue fieldValue(const ImportField& field, const SheetCell& cell)
{
    if (field.kind == ImportField::Kind::InStock)
        return {QVariant(0), {}};
    QString text = cell.displayText();
    if (text.isEmpty()) {
        if (field.empty == ImportField::Empty::Default)
            return {};
        return field.kind == ImportField::Kind::Text ? FieldValue{QStringLiteral(""), {}}
                                                      : FieldValue{{}, QStringLiteral("不能为空")};
    }
    if (field.dropMidnight)
        text = withoutMidnight(text);
    switch (field.kind) {
    case ImportField::Kind::Number:
        return number(cell, text.trimmed());
    case ImportField::Kind::Date:
        return date(text.trimmed(), false);
    case ImportField::Kind::Moment:
        return date(text.trimmed(), true);
    case ImportField::Kind::Text:
    case ImportField::Kind::InStock:
        break;
    }
    return {text, {}};
}
