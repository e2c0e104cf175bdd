#pragma once

#include "db/DbBackend.h"

#include <memory>

struct st_mysql;

// Where the education authority's server is and how to log in to it.
struct RemoteServer {
    QString host;
    int port = 3306;
    QString user;
    QString password;
    QString database;
    // How long connecting, and then each read or write of a statement, may wait for the
    // server before the step fails: a server that went silent must not hold its caller.
    int timeoutSeconds = 5;
};

// The remote server through prepared statements over a utf8mb4 connection.
class MariaDbBackend : public DbBackend {
public:
    static std::unique_ptr<MariaDbBackend> open(const RemoteServer& server, QString* error);
    ~MariaDbBackend() override;

    bool query(const QString& sql, const QVariantList& params, ResultSet& out) override;
    bool execute(const QString& sql, const QVariantList& params) override;
    qint64 changedRows() const override { return m_changed; }
    qint64 lastInsertId() const override { return m_insertId; }
    QString lastError() const override { return m_error; }
    QString beginStatement() const override { return QStringLiteral("START TRANSACTION"); }
    QString quoteIdentifier(const QString& name) const override
    {
        return QLatin1Char('`') + QString(name).replace(QLatin1Char('`'), QStringLiteral("``")) + QLatin1Char('`');
    }

private:
    explicit MariaDbBackend(st_mysql* mysql) : m_mysql(mysql) {}
    bool run(const QString& sql, const QVariantList& params, ResultSet* out);

    st_mysql* m_mysql;
    qint64 m_changed = 0;
    qint64 m_insertId = 0;
    QString m_error;
};
