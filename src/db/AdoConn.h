#pragma once

#include "db/AdoRecordset.h"
#include "db/MariaDbBackend.h"

#include <memory>

struct sqlite3;

// The connection every window runs its SQL through. Values are always bound ("?"),
// never pasted into the statement. Failures never show a message: Connect and
// ExecuteSql return false, GetRecordSet returns a recordset that is not open.
class CAdoConn {
public:
    // Only the application's local connection opens the local database by itself when it
    // is used unopened; any other object (the remote server's above all) must never end up
    // writing into the local file, so it fails every call with "连接数据库失败!".
    enum FallBack { NoFallBack, FallBackToLocal };

    // Marks database files of this system (PRAGMA application_id).
    static constexpr int kApplicationId = 0x53434C42;
    // The local database, relative to the program folder.
    static QString LocalDatabasePath();

    explicit CAdoConn(FallBack fallBack = NoFallBack);
    ~CAdoConn();
    CAdoConn(const CAdoConn&) = delete;
    CAdoConn& operator=(const CAdoConn&) = delete;

    // Opens an existing database file of ours; a missing file is not created.
    bool Connect(const QString& databasePath);
    bool ConnectRemote(const RemoteServer& server);
    RecordsetPtr GetRecordSet(const QString& sql, const QVariantList& params = {});
    bool ExecuteSql(const QString& sql, const QVariantList& params = {});
    // Closes the connection and its database file at once, so that the file can be replaced
    // (restore, initialisation). Recordsets that outlive it keep their rows but can no longer
    // insert. Does nothing when no connection is open.
    void ExitConnect();

    bool IsConnected() const { return m_backend != nullptr; }
    qint64 ChangedRows() const;
    qint64 LastInsertId() const;
    QString LastError() const { return m_error; }

    // Transactions nest: the outermost begins and commits, inner levels are savepoints.
    bool BeginTrans();
    bool CommitTrans();
    bool RollbackTrans();
    int TransDepth() const { return m_depth; }

    // The local connection's handle, for the online backup; null for the remote server.
    sqlite3* SqliteHandle() const;

private:
    // Opens the local database for an unopened object that falls back to it.
    bool OnInitAdoConn();
    bool runControl(const QString& sql);

    const FallBack m_fallBack;
    std::shared_ptr<DbBackend> m_backend;
    QString m_error;
    int m_depth = 0;
};

// Rolls back on scope exit unless committed.
class CTransaction {
public:
    explicit CTransaction(CAdoConn& conn) : m_conn(conn), m_active(conn.BeginTrans()) {}
    ~CTransaction()
    {
        if (m_active)
            m_conn.RollbackTrans();
    }
    CTransaction(const CTransaction&) = delete;
    CTransaction& operator=(const CTransaction&) = delete;

    bool IsActive() const { return m_active; }
    bool Commit()
    {
        if (!m_active)
            return false;
        m_active = false;
        return m_conn.CommitTrans();
    }

private:
    CAdoConn& m_conn;
    bool m_active;
};
