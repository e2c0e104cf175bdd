#include "printing/NumberInput.h"

#include <QRegularExpression>

#include <limits>

namespace NumberInput {

std::optional<int> LeadingInt(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("^\\s*([+-]?)0*(\\d+)"));
    const QRegularExpressionMatch m = number.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const bool negative = m.captured(1) == QLatin1String("-");
    const QString digits = m.captured(2);
    if (digits.size() > 9)
        return negative ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
    const int value = digits.toInt();
    return negative ? -value : value;
}

std::optional<double> LeadingDouble(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("^\\s*([+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?)"));
    const QRegularExpressionMatch m = number.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    return m.captured(1).toDouble();
}

}
