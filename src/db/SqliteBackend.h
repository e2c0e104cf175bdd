#pragma once

#include "db/DbBackend.h"

struct sqlite3;

class SqliteBackend : public DbBackend {
public:
    // Opens an existing database file of ours; never creates one.
    static std::unique_ptr<SqliteBackend> open(const QString& path, int applicationId, QString* error);
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
    explicit SqliteBackend(sqlite3* db) : m_db(db) {}
    bool run(const QString& sql, const QVariantList& params, ResultSet* out);

    sqlite3* m_db;
    qint64 m_changed = 0;
    QString m_error;
};
