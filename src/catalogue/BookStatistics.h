#pragma once

#include "db/AdoRecordset.h"

class CAdoConn;

#include <array>

// A table of copies as its statistics count them: the column counted (a copy without a
// value there is not counted), the price summed, and the column of each grouping (class
// number, type, publisher, entry date). Every name is fixed by the program.
struct StatisticsTable {
    QString table;
    QString counted;
    QString price;
    std::array<QString, 4> groupColumns;

    static const StatisticsTable& books();
    static const StatisticsTable& periodicals();
};

// The copies of the catalogue (books by default, or the periodicals) counted and their
// prices summed, grouped by one column or over the whole table. Failures throw DbError.
class BookStatistics {
public:
    enum class Grouping { ClassNo, Type, Publisher, EntryDate, Total };

    explicit BookStatistics(CAdoConn& conn, const StatisticsTable& table = StatisticsTable::books())
        : m_conn(conn), m_table(table)
    {
    }

    // A grouping gives one row a value of its column, ordered by it: the value, 合计 (the
    // copies counted) and 总价 (the sum of their prices). Total gives one row: 合计 and 总计.
    RecordsetPtr query(Grouping grouping) const;
    // The query's rows as texts, as the summary lists show them: the one row of Total begins
    // with `totalName`, so that the sum is the last cell of every row.
    QList<QStringList> rows(Grouping grouping, const QString& totalName) const;

    // A sum as the list shows it: its text cut two places after the point, the further
    // digits dropped ("1234.5678" shows "1234.56", "12.5" stays).
    static QString shownSum(const QString& sum);

private:
    CAdoConn& m_conn;
    const StatisticsTable& m_table;
};
