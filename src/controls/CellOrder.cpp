#include "controls/CellOrder.h"

#include "core/Collation.h"
#include "core/DateText.h"

#include <QDate>

#include <algorithm>

namespace {

enum class CellKind { Number, Date, Text };

bool isDigitString(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// "DD/MM/YYYY", the day-first form that lists read from older files still carry.
QDate dayFirstDate(const QString& text)
{
    if (text.size() != 10 || text[2] != u'/' || text[5] != u'/')
        return {};
    return QDate::fromString(text, QStringLiteral("dd/MM/yyyy"));
}

QDate cellDate(const QString& text)
{
    const QDate date = parseDateText(text);
    return date.isValid() ? date : dayFirstDate(text);
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
