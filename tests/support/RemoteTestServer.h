#pragma once

#include "db/MariaDbBackend.h"

#include <QString>

// The MariaDB server of the tests (started by the CTest fixture) as a test program uses it:
// a database "books_<name>" of its own with an empty table1 like the one in "books", so that
// programs running side by side never see each other's rows.
class RemoteTestServer {
public:
    explicit RemoteTestServer(const QString& name);

    // The port the fixture took for this run; 0 when it wrote none.
    static int port();
    // Creates the database afresh; false with the reason in error().
    bool prepare(const QString& tableOptions = {});
    QString database() const { return m_database; }
    QString error() const { return m_error; }

    // The server as the program reaches it through setup.ini: writes [Net] id and [Remote]
    // port, user, pwd and database into setup.ini of the current folder.
    bool writeSettings(int port) const;
    RemoteServer server(int port) const;

    // One statement on the test's database, as the test's own check; false on failure.
    bool execute(const QString& sql, const QVariantList& params = {});
    // Every row of table1 by id, one text a row ("|"-joined), for whole-table comparisons.
    QStringList rows(const QString& columns = QStringLiteral("*"));

private:
    QString m_database;
    QString m_error;
};
