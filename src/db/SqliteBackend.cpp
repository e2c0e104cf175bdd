#include "db/SqliteBackend.h"

#include "db/ValueKind.h"

#include <QFileInfo>
#include <sqlite3.h>

#include <stdexcept>
#include <vector>

namespace {
// A kept statement goes back ready for its next use: no open read, no values held.
struct StatementUse {
    sqlite3_stmt* stmt;
    ~StatementUse()
    {
        sqlite3_reset(stmt);
        sqlite3_clear_bindings(stmt);
    }
};

// Binds every value; texts stay in `texts` until the statement is reset.
void bindValues(sqlite3_stmt* stmt, const QVariantList& params, std::vector<QByteArray>& texts)
{
    texts.reserve(static_cast<std::size_t>(params.size()));
    for (int i = 0; i < params.size(); ++i) {
        const QVariant& value = params[i];
        switch (valueKind(value)) {
        case ValueKind::Null:
            sqlite3_bind_null(stmt, i + 1);
            break;
        case ValueKind::Integer:
            sqlite3_bind_int64(stmt, i + 1, value.toLongLong());
            break;
        case ValueKind::Real:
            sqlite3_bind_double(stmt, i + 1, value.toDouble());
            break;
        case ValueKind::Text:
            texts.push_back(value.toString().toUtf8());
            sqlite3_bind_text(stmt, i + 1, texts.back().constData(), static_cast<int>(texts.back().size()),
                              SQLITE_STATIC);
        }
    }
}

// Reads the cell through its value object: one call into the statement instead of three,
// which a whole catalogue of cells feels. The connection serves one thread, so the value
// needs no lock.
void appendCell(RowBlock& rows, sqlite3_stmt* stmt, int i)
{
    sqlite3_value* cell = sqlite3_column_value(stmt, i);
    switch (sqlite3_value_type(cell)) {
    case SQLITE_INTEGER:
        rows.appendInteger(sqlite3_value_int64(cell));
        return;
    case SQLITE_FLOAT:
        rows.appendReal(sqlite3_value_double(cell));
        return;
    case SQLITE_NULL:
        rows.appendNull();
        return;
    default: {
        const char* text = reinterpret_cast<const char*>(sqlite3_value_text(cell));
        rows.appendText(text, sqlite3_value_bytes(cell));
    }
    }
}

// Reads the columns and their table after the statement's first step, which compiles a
// statement again when its tables changed since it was kept.
void readShape(PreparedStatement& prepared)
{
    sqlite3_stmt* stmt = prepared.stmt;
    const int compiled = sqlite3_stmt_status(stmt, SQLITE_STMTSTATUS_REPREPARE, 0);
    if (prepared.shapeOf == compiled)
        return;
    prepared.shapeOf = compiled;
    prepared.columns.clear();
    prepared.table.clear();
    const int columns = sqlite3_column_count(stmt);
    bool oneTable = true;
    for (int i = 0; i < columns; ++i) {
        prepared.columns << QString::fromUtf8(sqlite3_column_name(stmt, i));
        const char* t = sqlite3_column_table_name(stmt, i);
        const QString table = t ? QString::fromUtf8(t) : QString();
        oneTable = oneTable && !table.isEmpty() && (i == 0 || table == prepared.table);
        prepared.table = table;
    }
    if (!oneTable)
        prepared.table.clear();
}

bool onlySpaceAndSemicolons(const char* tail)
{
    for (; *tail; ++tail)
        if (*tail != ';' && !QChar::isSpace(static_cast<unsigned char>(*tail)))
            return false;
    return true;
}
}

std::unique_ptr<SqliteBackend> SqliteBackend::open(const QString& path, int applicationId, QString* error)
{
    if (!QFileInfo(path).isFile()) {
        *error = QStringLiteral("数据库文件不存在: %1").arg(path);
        return nullptr;
    }
    sqlite3* db = nullptr;
    // A connection serves one thread at a time (each thread opens its own), so SQLite need
    // not take its lock around every call.
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr)
        != SQLITE_OK) {
        *error = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_close(db);
        return nullptr;
    }
    std::unique_ptr<SqliteBackend> backend(new SqliteBackend(db));
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    ResultSet id;
    if (!backend->query(QStringLiteral("PRAGMA application_id"), {}, id) || id.rows.rowCount() != 1
        || id.rows.value(0, 0).toLongLong() != applicationId) {
        *error = backend->m_error.isEmpty() ? QStringLiteral("不是本系统的数据库文件") : backend->m_error;
        return nullptr;
    }
    // A committed lend must survive a power cut: every commit waits for the disk.
    backend->execute(QStringLiteral("PRAGMA journal_mode=WAL"), {});
    backend->execute(QStringLiteral("PRAGMA synchronous=FULL"), {});
    return backend;
}

SqliteBackend::~SqliteBackend()
{
    m_cache.clear();
    sqlite3_close(m_db);
}

qint64 SqliteBackend::lastInsertId() const { return sqlite3_last_insert_rowid(m_db); }

bool SqliteBackend::query(const QString& sql, const QVariantList& params, ResultSet& out)
{
    out = ResultSet();
    return run(sql, params, &out);
}

bool SqliteBackend::execute(const QString& sql, const QVariantList& params) { return run(sql, params, nullptr); }

bool SqliteBackend::fail()
{
    m_error = QString::fromUtf8(sqlite3_errmsg(m_db));
    return false;
}

PreparedStatement* SqliteBackend::statement(const QString& sql)
{
    if (PreparedStatement* kept = m_cache.find(sql))
        return kept;
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt* stmt = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v3(m_db, text.constData(), static_cast<int>(text.size()), SQLITE_PREPARE_PERSISTENT, &stmt,
                           &tail)
        != SQLITE_OK) {
        fail();
        return nullptr;
    }
    if (!stmt) {
        m_error = QStringLiteral("空语句");
        return nullptr;
    }
    if (!onlySpaceAndSemicolons(tail)) {
        sqlite3_finalize(stmt);
        m_error = QStringLiteral("一次只能执行一条语句");
        return nullptr;
    }
    return m_cache.insert(sql, stmt);
}

bool SqliteBackend::run(const QString& sql, const QVariantList& params, ResultSet* out)
{
    m_error.clear();
    m_changed = 0;
    PreparedStatement* prepared = statement(sql);
    if (!prepared)
        return false;
    sqlite3_stmt* stmt = prepared->stmt;
    if (sqlite3_bind_parameter_count(stmt) != params.size()) {
        m_error = QStringLiteral("参数个数不符");
        return false;
    }
    std::vector<QByteArray> texts;
    const StatementUse use{stmt};
    bindValues(stmt, params, texts);

    int rc = sqlite3_step(stmt);
    if (out) {
        readShape(*prepared);
        out->rows = RowBlock(prepared->columns);
        out->table = prepared->table;
    }
    try {
        const int columns = sqlite3_column_count(stmt);
        for (; rc == SQLITE_ROW; rc = sqlite3_step(stmt)) {
            for (int i = 0; out && i < columns; ++i)
                appendCell(out->rows, stmt, i);
        }
    } catch (const std::length_error&) {
        *out = ResultSet();
        m_error = QStringLiteral("查询结果太大");
        return false;
    }
    if (rc != SQLITE_DONE) {
        if (out)
            *out = ResultSet();
        return fail();
    }
    // sqlite3_changes keeps the count of the last data change; a query changes nothing.
    m_changed = sqlite3_stmt_readonly(stmt) ? 0 : sqlite3_changes(m_db);
    return true;
}
