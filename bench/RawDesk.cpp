#include "RawDesk.h"

#include <cstdio>
#include <cstdlib>

RawDesk::RawDesk(const QString& path)
{
    sqlite3_open_v2(path.toUtf8().constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_busy_timeout(m_db, 5000);
    sqlite3_exec(m_db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
}

RawDesk::~RawDesk()
{
    for (const auto& [sql, stmt] : m_statements)
        sqlite3_finalize(stmt);
    sqlite3_close(m_db);
}

sqlite3_stmt* RawDesk::prepared(const char* sql)
{
    sqlite3_stmt*& stmt = m_statements[sql];
    if (!stmt && sqlite3_prepare_v3(m_db, sql, -1, SQLITE_PREPARE_PERSISTENT, &stmt, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", sql, sqlite3_errmsg(m_db));
        std::exit(1);
    }
    return stmt;
}

sqlite3_stmt* RawDesk::bound(const char* sql, std::initializer_list<Value> values)
{
    sqlite3_stmt* stmt = prepared(sql);
    int i = 0;
    for (const Value& v : values) {
        ++i;
        if (v.isNumber)
            sqlite3_bind_int64(stmt, i, v.number);
        else if (v.text)
            sqlite3_bind_text(stmt, i, v.text->data(), static_cast<int>(v.text->size()), SQLITE_STATIC);
        else
            sqlite3_bind_null(stmt, i);
    }
    return stmt;
}

void RawDesk::finish(const char* sql, sqlite3_stmt* stmt, int rc)
{
    if (rc != SQLITE_DONE) {
        std::fprintf(stderr, "%s: %s\n", sql, sqlite3_errmsg(m_db));
        std::exit(1);
    }
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
}

int RawDesk::run(const char* sql, std::initializer_list<Value> values, std::vector<Row>* rows)
{
    sqlite3_stmt* stmt = bound(sql, values);
    const int columns = sqlite3_column_count(stmt);
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        if (!rows)
            continue;
        Row& row = rows->emplace_back();
        for (int c = 0; c < columns; ++c) {
            const char* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, c));
            row.emplace_back(text ? text : "", static_cast<std::size_t>(sqlite3_column_bytes(stmt, c)));
        }
    }
    const int changed = rc == SQLITE_DONE && !sqlite3_stmt_readonly(stmt) ? sqlite3_changes(m_db) : 0;
    finish(sql, stmt, rc);
    return changed;
}

long long RawDesk::readAll(const char* sql, std::initializer_list<Value> values)
{
    sqlite3_stmt* stmt = bound(sql, values);
    const int columns = sqlite3_column_count(stmt);
    long long bytes = 0;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW)
        for (int c = 0; c < columns; ++c) {
            sqlite3_column_text(stmt, c);
            bytes += sqlite3_column_bytes(stmt, c);
        }
    finish(sql, stmt, rc);
    return bytes;
}
