#pragma once

#include "db/AdoRecordset.h"

#include <functional>

// What a query page runs: the rows for a filter (empty: every row), and the texts its list
// shows of the recordset's current row.
using ListQuery = std::function<RecordsetPtr(const QString& filter)>;
using ListRow = std::function<QStringList(const CAdoRecordset& rs)>;

// The query's result, or null when the database refused it (by DbError or an unopened
// recordset, as the queries report failures).
inline RecordsetPtr openedResult(const ListQuery& query, const QString& filter)
{
    try {
        RecordsetPtr result = query(filter);
        return result && result->IsOpen() ? result : nullptr;
    } catch (const DbError&) {
        return nullptr;
    }
}
