#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <list>

struct sqlite3_stmt;

// A compiled statement and what its rows look like; the columns are read again only when
// SQLite had to compile the statement anew (its tables changed).
struct PreparedStatement {
    sqlite3_stmt* stmt = nullptr;
    QStringList columns;
    QString table;       // the one table every column comes from, empty otherwise
    int shapeOf = -1;    // the compile count the columns and table belong to
};

// The prepared statements of one SQLite connection, by their SQL text: compiling a statement
// costs more than running it, and a lend runs the same few statements every time. Bounded;
// the statement used least recently goes first. Every statement is finalized with the cache,
// which must happen before its connection closes.
class StatementCache {
public:
    explicit StatementCache(int capacity) : m_capacity(capacity) {}
    ~StatementCache() { clear(); }
    StatementCache(const StatementCache&) = delete;
    StatementCache& operator=(const StatementCache&) = delete;

    // The statement kept for this text, now the most recently used; null when none is.
    // Valid until the next insert.
    PreparedStatement* find(const QString& sql);
    // Keeps a freshly prepared statement, finalizing the least recently used beyond capacity.
    PreparedStatement* insert(const QString& sql, sqlite3_stmt* stmt);
    void clear();
    int size() const { return static_cast<int>(m_index.size()); }

private:
    struct Entry {
        QString sql;
        PreparedStatement prepared;
    };

    int m_capacity;
    std::list<Entry> m_entries;  // the most recently used first
    QHash<QString, std::list<Entry>::iterator> m_index;
};
