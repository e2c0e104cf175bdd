#include "support/RemoteTestServer.h"

#include "db/AdoConn.h"
#include "remote/SetupIni.h"
#include "support/TestSupport.h"

RemoteTestServer::RemoteTestServer(const QString& name) : m_database(QStringLiteral("books_") + name) {}

int RemoteTestServer::port() { return fixturePort("SCHOOLLIB_MARIADB_DIR"); }

RemoteServer RemoteTestServer::server(int port) const
{
    return {QStringLiteral("127.0.0.1"), port, QStringLiteral("schoollib"), QStringLiteral("secret"), m_database};
}

bool RemoteTestServer::prepare(const QString& tableOptions)
{
    CAdoConn conn;
    RemoteServer books = server(port());
    books.database = QStringLiteral("books");
    const QString db = QLatin1Char('`') + m_database + QLatin1Char('`');
    const bool ok = conn.ConnectRemote(books) && conn.ExecuteSql(QStringLiteral("drop database if exists ") + db)
        && conn.ExecuteSql(QStringLiteral("create database ") + db + QStringLiteral(" default charset utf8mb4"))
        && conn.ExecuteSql(QStringLiteral("create table %1.table1 like books.table1").arg(db))
        && (tableOptions.isEmpty() || conn.ExecuteSql(QStringLiteral("alter table %1.table1 ").arg(db) + tableOptions));
    m_error = conn.LastError();
    return ok;
}

bool RemoteTestServer::writeSettings(int port) const
{
    const RemoteServer remote = server(port);
    SetupIni ini;
    ini.setValue(QStringLiteral("Net"), QStringLiteral("id"), remote.host);
    ini.setValue(QStringLiteral("Remote"), QStringLiteral("port"), QString::number(remote.port));
    ini.setValue(QStringLiteral("Remote"), QStringLiteral("user"), remote.user);
    ini.setValue(QStringLiteral("Remote"), QStringLiteral("pwd"), remote.password);
    ini.setValue(QStringLiteral("Remote"), QStringLiteral("database"), remote.database);
    return ini.save();
}

bool RemoteTestServer::execute(const QString& sql, const QVariantList& params)
{
    CAdoConn conn;
    const bool ok = conn.ConnectRemote(server(port())) && conn.ExecuteSql(sql, params);
    m_error = conn.LastError();
    return ok;
}

QStringList RemoteTestServer::rows(const QString& columns)
{
    CAdoConn conn;
    QStringList rows;
    if (!conn.ConnectRemote(server(port())))
        return {QStringLiteral("<no connection: ") + conn.LastError() + QLatin1Char('>')};
    RecordsetPtr rs = conn.GetRecordSet(QStringLiteral("select %1 from table1 order by id").arg(columns));
    if (!rs->IsOpen())
        return {QStringLiteral("<query failed: ") + rs->ErrorText() + QLatin1Char('>')};
    for (; !rs->IsEOF(); rs->MoveNext())
        rows << rs->GetRowTexts().join(QLatin1Char('|'));
    return rows;
}
