#pragma once

#include "db/AdoRecordset.h"

#include <QDate>

#include <optional>

class CAdoConn;

// What the lending query window asks of the loans (jieyueinfo) and the lending history
// (jieyuelishiinfo): searches in the table's order, overdue loans and lendings counted by
// a grouping. A filter is matched literally (% and _ are no wildcards); an empty filter
// gives every row. Failures throw DbError.
class LoanQueries {
public:
    enum class Grouping { Department, ReaderType, ReaderName, Title };
    // The first and last 操作时间 of a period, as typed: compared with the stored texts,
    // both bounds included.
    struct Period {
        QString from;
        QString to;
    };

    explicit LoanQueries(CAdoConn& conn) : m_conn(conn) {}

    // Loans whose ISBN, book number or reader number is the filter or whose title, reader
    // name or lending date contains it.
    RecordsetPtr currentLoans(const QString& filter) const;
    // History rows whose book or reader number is the filter or whose title, reader name or
    // time contains it.
    RecordsetPtr history(const QString& filter) const;
    // Loans due before the day whose book or reader number is the filter or whose reader
    // name contains it.
    RecordsetPtr overdue(const QString& filter, const QDate& day) const;
    // The lendings ("图书借阅") of the period, or of all time, counted by the grouping's
    // column, ordered by it: the value and 合计.
    RecordsetPtr summary(Grouping grouping, const std::optional<Period>& period) const;

private:
    CAdoConn& m_conn;
};
