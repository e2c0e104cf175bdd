#include "db/StatementCache.h"

#include <sqlite3.h>

PreparedStatement* StatementCache::find(const QString& sql)
{
    const auto found = m_index.constFind(sql);
    if (found == m_index.constEnd())
        return nullptr;
    m_entries.splice(m_entries.begin(), m_entries, found.value());
    return &m_entries.front().prepared;
}

PreparedStatement* StatementCache::insert(const QString& sql, sqlite3_stmt* stmt)
{
    m_entries.push_front({sql, {stmt, {}, {}, -1}});
    m_index.insert(sql, m_entries.begin());
    while (size() > m_capacity) {
        sqlite3_finalize(m_entries.back().prepared.stmt);
        m_index.remove(m_entries.back().sql);
        m_entries.pop_back();
    }
    return &m_entries.front().prepared;
}

void StatementCache::clear()
{
    for (const Entry& entry : m_entries)
        sqlite3_finalize(entry.prepared.stmt);
    m_entries.clear();
    m_index.clear();
}
