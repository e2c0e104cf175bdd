#pragma once

#include "db/DbBackend.h"
#include "db/StatementCache.h"

#include <memory>

struct sqlite3;
struct sqlite3_stmt;

class SqliteBackend : public DbBackend {
public:
    // How long a statement waits for a lock another connection holds.
    static constexpr int kBusyTimeoutMs = 5000;
    // Prepared statements kept per connection: more than the windows of one task use.
    static constexpr int kCachedStatements = 128;

    // Opens an existing database file of ours; never creates one.
    static std::unique_ptr<SqliteBackend> open(const QString& path, int applicationId, QString* error);
    // Finalizes every kept statement, then closes the database file.
    ~SqliteBackend() override;

    bool query(const QString& sql, const QVariantList& params, ResultSet& out) override;
    bool execute(const QString& sql, const QVariantList& params) override;
    qint64 changedRows() const override { return m_changed; }
    qint64 lastInsertId() const override;
    QString lastError() const override { return m_error; }
    QString beginStatement() const override { return QStringLiteral("BEGIN IMMEDIATE"); }
    QString quoteIdentifier(const QString& name) const override
    {
        return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
    }

    sqlite3* handle() const { return m_db; }

private:
    explicit SqliteBackend(sqlite3* db) : m_db(db), m_cache(kCachedStatements) {}
    bool run(const QString& sql, const QVariantList& params, ResultSet* out);
    // The prepared statement for the text, from the cache or compiled now; null on failure.
    PreparedStatement* statement(const QString& sql);
    bool fail();

    sqlite3* m_db;
    StatementCache m_cache;
    qint64 m_changed = 0;
    QString m_error;
};
