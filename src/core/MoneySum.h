#pragma once

#include <QString>

// Money added up in ten-thousandths, as whole numbers: a sum of many binary fractions
// drifts (fifty copies at 1234.5678 would give 61728.3899999999, which a cut to two
// places shows a cent short), a sum of whole numbers does not, and the one division at the
// end gives the sum a librarian would write down. Prices carry at most four places.
class MoneySum {
public:
    // The same sum done by the database, over a column or expression of one table.
    static QString sqlSum(const QString& expression);

    void add(double value);
    bool isEmpty() const { return !m_any; }
    // The sum as numberText writes it; empty when nothing was added.
    QString text() const;

private:
    qint64 m_units = 0;
    double m_plain = 0;
    bool m_exact = true;
    bool m_any = false;
};
