#include "core/MoneySum.h"

#include "core/NumberText.h"

#include <cmath>

namespace {
constexpr double kUnitsPerYuan = 10000;
constexpr double kMaxUnits = 9e15;
}

QString MoneySum::sqlSum(const QString& expression)
{
    return QStringLiteral("sum(round(%1 * %2)) / %2").arg(expression).arg(kUnitsPerYuan);
}

void MoneySum::add(double value)
{
    m_any = true;
    m_plain += value;
    // A value beyond whole ten-thousandths (no price is) leaves the sum to the doubles.
    const double units = std::round(value * kUnitsPerYuan);
    if (m_exact && std::fabs(units) < kMaxUnits)
        m_exact = !__builtin_add_overflow(m_units, qint64(units), &m_units);
    else
        m_exact = false;
}

QString MoneySum::text() const
{
    if (!m_any)
        return {};
    return numberText(m_exact ? double(m_units) / kUnitsPerYuan : m_plain);
}
