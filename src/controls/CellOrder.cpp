#include "controls/CellOrder.h"

#include "core/Collation.h"

#include <QDate>
#include <QRegularExpression>

#include <optional>

namespace {

enum class CellKind { Number, Date, Text };

// A decimal number held as its digits, so that no length overflows and no value rounds.
struct Decimal {
    bool negative = false;
    QStringView whole;     // without leading zeros
    QStringView fraction;  // without trailing zeros

    bool isZero() const { return whole.isEmpty() && fraction.isEmpty(); }
};

std::optional<Decimal> readDecimal(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^([+-]?)(\\d*)(?:\\.(\\d*))?$"));
    if (text.isEmpty())
        return Decimal{};
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch() || match.capturedLength(2) + match.capturedLength(3) == 0)
        return std::nullopt;
    const QStringView whole = QStringView(text).mid(match.capturedStart(2), match.capturedLength(2));
    Decimal number;
    number.negative = text.front() == u'-';
    number.whole = whole;
    while (!number.whole.isEmpty() && number.whole.front() == u'0')
        number.whole = number.whole.mid(1);
    if (match.capturedLength(3) > 0)
        number.fraction = QStringView(text).mid(match.capturedStart(3), match.capturedLength(3));
    while (!number.fraction.isEmpty() && number.fraction.back() == u'0')
        number.fraction.chop(1);
    if (number.isZero())
        number.negative = false;
    return number;
}

int sign(qsizetype value) { return value < 0 ? -1 : (value > 0 ? 1 : 0); }

int compareMagnitudes(const Decimal& x, const Decimal& y)
{
    if (x.whole.size() != y.whole.size())
        return sign(x.whole.size() - y.whole.size());
    if (const int byWhole = x.whole.compare(y.whole))
        return sign(byWhole);
    // Without trailing zeros, digit-by-digit order of the fractions is their order by value.
    return sign(x.fraction.compare(y.fraction));
}

int compareDecimals(const Decimal& x, const Decimal& y)
{
    if (x.negative != y.negative)
        return x.negative ? -1 : 1;
    const int byMagnitude = compareMagnitudes(x, y);
    return x.negative ? -byMagnitude : byMagnitude;
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

struct Cell {
    CellKind kind = CellKind::Text;
    Decimal number;
    QDate date;
};

Cell readCell(const QString& text)
{
    Cell cell;
    if (const std::optional<Decimal> number = readDecimal(text)) {
        cell.kind = CellKind::Number;
        cell.number = *number;
        return cell;
    }
    cell.date = cellDate(text);
    cell.kind = cell.date.isValid() ? CellKind::Date : CellKind::Text;
    return cell;
}

// The ascending order of two cells of one kind; equal values fall back to the texts.
int compareSameKind(const Cell& x, const Cell& y, const QString& a, const QString& b)
{
    int byValue = 0;
    if (x.kind == CellKind::Number)
        byValue = compareDecimals(x.number, y.number);
    else if (x.kind == CellKind::Date && x.date != y.date)
        byValue = x.date < y.date ? -1 : 1;
    return byValue != 0 ? byValue : collateCompare(a, b);
}

}

int compareCells(const QString& a, const QString& b, bool ascending)
{
    // The cells' digits are views into a and b, which outlive them here.
    const Cell x = readCell(a);
    const Cell y = readCell(b);
    const int order = x.kind != y.kind ? (x.kind < y.kind ? -1 : 1) : compareSameKind(x, y, a, b);
    return ascending ? order : -order;
}
