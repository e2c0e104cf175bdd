#include "db/AdoConn.h"

#include "db/SqliteBackend.h"

QString CAdoConn::LocalDatabasePath() { return QStringLiteral("Database/book.db"); }

CAdoConn::CAdoConn(FallBack fallBack) : m_fallBack(fallBack) {}
CAdoConn::~CAdoConn() = default;

bool CAdoConn::Connect(const QString& databasePath)
{
    ExitConnect();
    std::unique_ptr<SqliteBackend> backend = SqliteBackend::open(databasePath, kApplicationId, &m_error);
    if (!backend)
        return false;
    m_backend = std::move(backend);
    m_error.clear();
    return true;
}

bool CAdoConn::ConnectRemote(const RemoteServer& server)
{
    ExitConnect();
    std::unique_ptr<MariaDbBackend> backend = MariaDbBackend::open(server, &m_error);
    if (!backend)
        return false;
    m_backend = std::move(backend);
    m_error.clear();
    return true;
}

bool CAdoConn::OnInitAdoConn()
{
    if (m_backend)
        return true;
    if (m_fallBack == FallBackToLocal && Connect(LocalDatabasePath()))
        return true;
    m_error = QStringLiteral("连接数据库失败!");
    return false;
}

RecordsetPtr CAdoConn::GetRecordSet(const QString& sql, const QVariantList& params)
{
    if (!OnInitAdoConn())
        return std::make_shared<CAdoRecordset>(m_error);
    ResultSet rows;
    if (!m_backend->query(sql, params, rows)) {
        m_error = m_backend->lastError();
        return std::make_shared<CAdoRecordset>(m_error);
    }
    m_error.clear();
    return std::make_shared<CAdoRecordset>(m_backend, std::move(rows));
}

bool CAdoConn::ExecuteSql(const QString& sql, const QVariantList& params)
{
    if (!OnInitAdoConn())
        return false;
    const bool ok = m_backend->execute(sql, params);
    m_error = ok ? QString() : m_backend->lastError();
    return ok;
}

void CAdoConn::ExitConnect()
{
    while (m_depth > 0)
        RollbackTrans();
    // Recordsets hold the back-end only weakly, so this closes the database file.
    m_backend.reset();
    m_depth = 0;
}

qint64 CAdoConn::ChangedRows() const { return m_backend ? m_backend->changedRows() : 0; }

qint64 CAdoConn::LastInsertId() const { return m_backend ? m_backend->lastInsertId() : 0; }

bool CAdoConn::runControl(const QString& sql) { return ExecuteSql(sql); }

bool CAdoConn::BeginTrans()
{
    if (!OnInitAdoConn())
        return false;
    const bool ok = m_depth == 0 ? runControl(m_backend->beginStatement())
                                 : runControl(QStringLiteral("SAVEPOINT sp%1").arg(m_depth));
    if (ok)
        ++m_depth;
    return ok;
}

bool CAdoConn::CommitTrans()
{
    if (!m_backend || m_depth == 0)
        return false;
    --m_depth;
    if (m_depth > 0)
        return runControl(QStringLiteral("RELEASE SAVEPOINT sp%1").arg(m_depth));
    if (runControl(QStringLiteral("COMMIT")))
        return true;
    runControl(QStringLiteral("ROLLBACK"));
    return false;
}

bool CAdoConn::RollbackTrans()
{
    if (!m_backend || m_depth == 0)
        return false;
    --m_depth;
    if (m_depth == 0)
        return runControl(QStringLiteral("ROLLBACK"));
    const QString sp = QStringLiteral("sp%1").arg(m_depth);
    return runControl(QStringLiteral("ROLLBACK TO SAVEPOINT ") + sp)
        && runControl(QStringLiteral("RELEASE SAVEPOINT ") + sp);
}

sqlite3* CAdoConn::SqliteHandle() const
{
    auto* local = dynamic_cast<SqliteBackend*>(m_backend.get());
    return local ? local->handle() : nullptr;
}
