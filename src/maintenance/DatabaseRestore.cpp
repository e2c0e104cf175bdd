#include "maintenance/DatabaseRestore.h"

#include "db/AdoConn.h"

#include <QFileInfo>
#include <QStringList>
#include <sqlite3.h>

#include <memory>
#include <optional>

namespace {
struct CloseDatabase {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
using Database = std::unique_ptr<sqlite3, CloseDatabase>;

// The rows of a statement as texts, one text a row with its columns joined by a blank;
// nullopt when the statement fails (its reason in `error`).
std::optional<QStringList> rowsOf(sqlite3* db, const char* sql, const QString& value, QString* error)
{
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) != SQLITE_OK) {
        *error = QString::fromUtf8(sqlite3_errmsg(db));
        return std::nullopt;
    }
    const QByteArray bound = value.toUtf8();
    if (sqlite3_bind_parameter_count(stmt) > 0)
        sqlite3_bind_text(stmt, 1, bound.constData(), int(bound.size()), SQLITE_STATIC);
    QStringList rows;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        QStringList columns;
        for (int i = 0; i < sqlite3_column_count(stmt); ++i)
            columns << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)));
        rows << columns.join(QLatin1Char(' '));
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE) {
        *error = QString::fromUtf8(sqlite3_errstr(rc));
        return std::nullopt;
    }
    return rows;
}

Database openReadOnly(const QString& path, QString* error)
{
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    Database database(db);
    if (rc != SQLITE_OK) {
        *error = QStringLiteral("无法打开文件：%1").arg(QString::fromUtf8(sqlite3_errmsg(db)));
        return nullptr;
    }
    return database;
}

const char* const kTables = "select name from sqlite_master where type='table' and name not like 'sqlite_%' order by name";
const char* const kColumns = "select name, type from pragma_table_info(?) order by cid";

// The first thing the file lacks of the open database's tables, empty when it lacks nothing.
QString missingShape(sqlite3* live, sqlite3* file, QString* error)
{
    const std::optional<QStringList> tables = rowsOf(live, kTables, {}, error);
    if (!tables)
        return QStringLiteral("无法读取当前数据库：%1").arg(*error);
    for (const QString& table : *tables) {
        const std::optional<QStringList> ours = rowsOf(live, kColumns, table, error);
        const std::optional<QStringList> theirs = rowsOf(file, kColumns, table, error);
        if (!ours || !theirs)
            return QStringLiteral("无法读取数据表 %1：%2").arg(table, *error);
        if (theirs->isEmpty())
            return QStringLiteral("文件中没有数据表 %1").arg(table);
        if (*theirs != *ours)
            return QStringLiteral("文件中数据表 %1 的列与本系统不同").arg(table);
    }
    return {};
}

QString firstValue(sqlite3* db, const char* sql, QString* error)
{
    const std::optional<QStringList> rows = rowsOf(db, sql, {}, error);
    return rows ? rows->value(0) : QString();
}

// Why the open file cannot replace the open database, empty when it can.
QString refusalOf(sqlite3* ours, sqlite3* file)
{
    QString error;
    const QString id = firstValue(file, "PRAGMA application_id", &error);
    if (!error.isEmpty())
        return QStringLiteral("不是数据库文件或文件已损坏（%1）").arg(error);
    if (id.toLongLong() != CAdoConn::kApplicationId)
        return QStringLiteral("不是本系统的数据库文件");
    if (firstValue(file, "PRAGMA user_version", &error).toInt() > firstValue(ours, "PRAGMA user_version", &error).toInt())
        return QStringLiteral("文件来自较新版本的程序");
    error.clear();
    const QString check = firstValue(file, "PRAGMA integrity_check", &error);
    if (check != QLatin1String("ok"))
        return QStringLiteral("文件已损坏（%1）").arg(error.isEmpty() ? check : error);
    return missingShape(ours, file, &error);
}

// The backup opened for reading once it is known to be a file other than the open database.
Database openBackup(sqlite3* ours, const QString& path, QString* error)
{
    const QFileInfo info(path);
    if (!info.isFile()) {
        *error = QStringLiteral("“%1”不是文件，请用“浏览”选择备份文件").arg(path);
        return nullptr;
    }
    if (info.canonicalFilePath() == QFileInfo(QString::fromUtf8(sqlite3_db_filename(ours, "main"))).canonicalFilePath()) {
        *error = QStringLiteral("这是正在使用的数据库文件");
        return nullptr;
    }
    return openReadOnly(path, error);
}
}

bool restoreDatabase(CAdoConn& live, const QString& path, const QString& safetyCopy, const CopyProgress& progress,
                     QString* error)
{
    sqlite3* ours = live.SqliteHandle();
    if (!ours || live.TransDepth() > 0) {
        *error = ours ? QStringLiteral("数据库正在使用中") : QStringLiteral("数据库没有打开");
        return false;
    }
    // Opened before the safety copy is written: when the backup chosen is the last safety
    // copy itself, the new one replaces its name while this one still reads the old.
    const Database file = openBackup(ours, path, error);
    if (!file)
        return false;
    *error = refusalOf(ours, file.get());
    if (!error->isEmpty())
        return false;
    QString reason;
    if (!backupDatabase(live, safetyCopy, &reason)) {
        *error = QStringLiteral("无法保存恢复前的数据库：%1").arg(reason);
        return false;
    }
    return copyDatabasePages(file.get(), ours, busyTimeoutMs(ours), progress, error);
}
