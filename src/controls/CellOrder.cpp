#include "controls/CellOrder.h"

#include "core/Collation.h"

#include <QDate>
#include <QRegularExpression>

#include <algorithm>

namespace {

enum class CellKind { Number, Date, Text };

bool isDigitString(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// The stored form "YYYY-MM-DD" (a time may follow after a blank) and the day-first form
// "DD/MM/YYYY" that lists read from older files still carry.
QDate cellDate(const QString& text)
{
    static const QRegularExpression stored(QStringLiteral("^(\\d{4}-\\d{2}-\\d{2})( .*)?$"));
    static const QRegularExpression dayFirst(QStringLiteral("^\\d{2}/\\d{2}/\\d{4}$"));
    if (const QRegularExpressionMatch match = stored.match(text); match.hasMatch())
        return QDate::fromString(match.captured(1), QStringLiteral("yyyy-MM-dd"));
    if (dayFirst.match(text).hasMatch())
        return QDate::fromString(text, QStringLiteral("dd/MM/yyyy"));
    return {};
}

CellKind kindOf(const QString& text, QDate& date)
{
    if (isDigitString(text))
        return CellKind::Number;
    date = cellDate(text);
    return date.isValid() ? CellKind::Date : CellKind::Text;
}

int sign(qint64 value) { return value < 0 ? -1 : (value > 0 ? 1 : 0); }

}

int compareDigitStrings(const QString& a, const QString& b)
{
    auto significant = [](const QString& s) {
        qsizetype i = 0;
        while (i < s.size() && s[i] == u'0')
            ++i;
        return QStringView(s).mid(i);
    };
    const QStringView x1 = significant(a);
    const QStringView y1 = significant(b);
    if (x1.size() != y1.size())
        return sign(x1.size() - y1.size());
    const int byValue = x1.compare(y1);
    return byValue != 0 ? byValue : a.compare(b);
}

int compareCells(const QString& a, const QString& b)
{
    QDate dateA;
    QDate dateB;
    const CellKind kindA = kindOf(a, dateA);
    const CellKind kindB = kindOf(b, dateB);
    if (kindA != kindB)
        return kindA < kindB ? -1 : 1;
    switch (kindA) {
    case CellKind::Number:
        return compareDigitStrings(a, b);
    case CellKind::Date:
        if (dateA != dateB)
            return dateA < dateB ? -1 : 1;
        return collateCompare(a, b);
    case CellKind::Text:
        break;
    }
    return collateCompare(a, b);
}
