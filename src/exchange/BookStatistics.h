#pragma once

#include "db/AdoRecordset.h"

class CAdoConn;

// The catalogue's copies counted and their prices summed, grouped by one column or over
// the whole table (bkinfo). Failures throw DbError.
class BookStatistics {
public:
    enum class Grouping { ClassNo, Type, Publisher, EntryDate, Total };

    explicit BookStatistics(CAdoConn& conn) : m_conn(conn) {}

    // A grouping gives one row a value of its column, ordered by it: the value, 合计 (the
    // copies, counted by title) and 总价 (the sum of their prices). Total gives one row:
    // 合计 and 总计.
    RecordsetPtr query(Grouping grouping) const;

    // A sum as the list shows it: its text cut two places after the point, the further
    // digits dropped ("1234.5678" shows "1234.56", "12.5" stays).
    static QString shownSum(const QString& sum);

private:
    CAdoConn& m_conn;
};
