#include "db/SqliteBackend.h"

#include "db/ValueKind.h"

#include <QFileInfo>
#include <sqlite3.h>

namespace {
constexpr int kBusyTimeoutMs = 5000;

struct Statement {
    sqlite3_stmt* stmt = nullptr;
    ~Statement() { sqlite3_finalize(stmt); }
};

void bindValue(sqlite3_stmt* stmt, int index, const QVariant& value)
{
    switch (valueKind(value)) {
    case ValueKind::Null:
        sqlite3_bind_null(stmt, index);
        return;
    case ValueKind::Integer:
        sqlite3_bind_int64(stmt, index, value.toLongLong());
        return;
    case ValueKind::Real:
        sqlite3_bind_double(stmt, index, value.toDouble());
        return;
    case ValueKind::Text: {
        const QByteArray text = value.toString().toUtf8();
        sqlite3_bind_text(stmt, index, text.constData(), text.size(), SQLITE_TRANSIENT);
    }
    }
}

QVariant columnValue(sqlite3_stmt* stmt, int i)
{
    switch (sqlite3_column_type(stmt, i)) {
    case SQLITE_INTEGER:
        return QVariant(static_cast<qlonglong>(sqlite3_column_int64(stmt, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt, i));
    case SQLITE_NULL:
        return QVariant();
    default:
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)),
                                 sqlite3_column_bytes(stmt, i));
    }
}

QString sourceTable(sqlite3_stmt* stmt, int columns)
{
    QString table;
    for (int i = 0; i < columns; ++i) {
        const char* t = sqlite3_column_table_name(stmt, i);
        const QString name = t ? QString::fromUtf8(t) : QString();
        if (name.isEmpty() || (i > 0 && name != table))
            return {};
        table = name;
    }
    return table;
}
}

std::unique_ptr<SqliteBackend> SqliteBackend::open(const QString& path, int applicationId, QString* error)
{
    if (!QFileInfo(path).isFile()) {
        *error = QStringLiteral("数据库文件不存在: %1").arg(path);
        return nullptr;
    }
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        *error = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_close(db);
        return nullptr;
    }
    std::unique_ptr<SqliteBackend> backend(new SqliteBackend(db));
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    ResultSet id;
    if (!backend->query(QStringLiteral("PRAGMA application_id"), {}, id) || id.rows.empty()
        || id.rows[0][0].toLongLong() != applicationId) {
        *error = backend->m_error.isEmpty() ? QStringLiteral("不是本系统的数据库文件") : backend->m_error;
        return nullptr;
    }
    ResultSet mode;
    backend->query(QStringLiteral("PRAGMA journal_mode=WAL"), {}, mode);
    return backend;
}

SqliteBackend::~SqliteBackend() { sqlite3_close(m_db); }

qint64 SqliteBackend::lastInsertId() const { return sqlite3_last_insert_rowid(m_db); }

bool SqliteBackend::query(const QString& sql, const QVariantList& params, ResultSet& out)
{
    out = ResultSet();
    return run(sql, params, &out);
}

bool SqliteBackend::execute(const QString& sql, const QVariantList& params) { return run(sql, params, nullptr); }

bool SqliteBackend::run(const QString& sql, const QVariantList& params, ResultSet* out)
{
    m_error.clear();
    m_changed = 0;
    const QByteArray text = sql.toUtf8();
    Statement s;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(m_db, text.constData(), text.size(), &s.stmt, &tail) != SQLITE_OK) {
        m_error = QString::fromUtf8(sqlite3_errmsg(m_db));
        return false;
    }
    if (!s.stmt) {
        m_error = QStringLiteral("空语句");
        return false;
    }
    if (tail && QByteArray(tail).trimmed().size() > 0 && QByteArray(tail).trimmed() != ";") {
        m_error = QStringLiteral("一次只能执行一条语句");
        return false;
    }
    if (sqlite3_bind_parameter_count(s.stmt) != params.size()) {
        m_error = QStringLiteral("参数个数不符");
        return false;
    }
    for (int i = 0; i < params.size(); ++i)
        bindValue(s.stmt, i + 1, params[i]);

    const int columns = sqlite3_column_count(s.stmt);
    if (out) {
        for (int i = 0; i < columns; ++i)
            out->columns << QString::fromUtf8(sqlite3_column_name(s.stmt, i));
        out->table = sourceTable(s.stmt, columns);
    }
    int rc;
    while ((rc = sqlite3_step(s.stmt)) == SQLITE_ROW) {
        if (!out)
            continue;
        std::vector<QVariant> row;
        row.reserve(static_cast<size_t>(columns));
        for (int i = 0; i < columns; ++i)
            row.push_back(columnValue(s.stmt, i));
        out->rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE) {
        m_error = QString::fromUtf8(sqlite3_errmsg(m_db));
        if (out)
            out->rows.clear();
        return false;
    }
    // sqlite3_changes keeps the count of the last data change; a query changes nothing.
    m_changed = sqlite3_stmt_readonly(s.stmt) ? 0 : sqlite3_changes(m_db);
    return true;
}
