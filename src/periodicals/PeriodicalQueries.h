#pragma once

#include "db/AdoRecordset.h"

class CAdoConn;

// The periodical query window's lists of current loans and of losses. Every column of
// their rows ("select *"), read by name. A failed query gives a recordset that is not open.
class PeriodicalQueries {
public:
    explicit PeriodicalQueries(CAdoConn& conn) : m_conn(conn) {}

    // Loans whose periodical or reader number is the text, or whose title or reader's name
    // contains it; every loan for an empty text; in the order they were made.
    RecordsetPtr loans(const QString& text) const;
    // Losses (by the library, reader "9999", or by a reader) whose periodical or reader
    // number is the text or whose title contains it; every loss for an empty text.
    RecordsetPtr losses(const QString& text) const;

private:
    CAdoConn& m_conn;
};
