#pragma once

#include "db/RowBlock.h"

#include <QString>
#include <QVariant>

// Rows of one query, fetched whole: the cursor over them is free to move and the count is exact.
struct ResultSet {
    RowBlock rows;
    QString table;  // the one table every column comes from, empty otherwise
};

// One database connection behind CAdoConn: the local SQLite file or the remote MariaDB server.
// Every value is bound, never pasted into the statement.
class DbBackend {
public:
    virtual ~DbBackend() = default;
    virtual bool query(const QString& sql, const QVariantList& params, ResultSet& out) = 0;
    virtual bool execute(const QString& sql, const QVariantList& params) = 0;
    virtual qint64 changedRows() const = 0;
    virtual qint64 lastInsertId() const = 0;
    virtual QString lastError() const = 0;
    virtual QString beginStatement() const = 0;
    virtual QString quoteIdentifier(const QString& name) const = 0;
};
