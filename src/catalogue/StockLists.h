#pragma once

#include "catalogue/StockTables.h"
#include "db/AdoRecordset.h"

#include <QDate>

class CAdoConn;

// The lists of the loss, weed-out and loss-cancel windows: copies in stock and copies that
// left it, every column ("select *", so fields are read by position; field 0 of a loss or
// weed-out row is its ID). A failed query gives a recordset that is not open.
class StockLists {
public:
    StockLists(CAdoConn& conn, const StockTables& tables) : m_conn(conn), m_tables(tables) {}

    // Copies whose number is the key or whose title contains it; every copy for an empty key.
    RecordsetPtr inStock(const QString& key) const;
    // Rows of the loss or weed-out table whose number is the key or whose title contains it;
    // every row for an empty key.
    RecordsetPtr outByText(OutKind kind, const QString& key) const;
    // Rows dated from the first day to the last, both included, whatever time follows the date.
    RecordsetPtr outByDates(OutKind kind, const QDate& first, const QDate& last) const;

private:
    RecordsetPtr byText(const QString& table, const QString& titleColumn, const QString& key) const;

    CAdoConn& m_conn;
    const StockTables& m_tables;
};
