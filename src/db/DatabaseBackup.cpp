#include "db/DatabaseBackup.h"

#include "db/AdoConn.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

#include <cstdio>

namespace {
constexpr int kRetryPauseMs = 20;

// The wait a statement of this connection would grant a lock held elsewhere.
int busyTimeoutMs(sqlite3* db)
{
    sqlite3_stmt* stmt = nullptr;
    int timeout = 0;
    if (sqlite3_prepare_v2(db, "PRAGMA busy_timeout", -1, &stmt, nullptr) == SQLITE_OK
        && sqlite3_step(stmt) == SQLITE_ROW)
        timeout = sqlite3_column_int(stmt, 0);
    sqlite3_finalize(stmt);
    return timeout;
}

// The copy holds a whole database, so it is as private as the database itself: the file
// exists, owner-only, before SQLite writes a byte into it.
bool createPrivateFile(const QString& path, QString* error)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFile::ReadOwner | QFile::WriteOwner))
        return true;
    *error = QStringLiteral("无法创建 %1：%2").arg(path, file.errorString());
    return false;
}

// Runs the backup to its end. While another connection holds the database, it retries for
// as long as a statement would wait (the busy timeout), then gives up: the window thread
// must not freeze.
int stepToEnd(sqlite3_backup* backup, int waitLimitMs)
{
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        const int rc = sqlite3_backup_step(backup, -1);
        if (rc != SQLITE_OK && rc != SQLITE_BUSY && rc != SQLITE_LOCKED)
            return rc;
        if (rc != SQLITE_OK && waited.elapsed() >= waitLimitMs)
            return rc;
        sqlite3_sleep(kRetryPauseMs);
    }
}

bool copyInto(sqlite3* source, const QString& path, QString* error)
{
    if (!createPrivateFile(path, error))
        return false;
    sqlite3* target = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &target, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        *error = QString::fromUtf8(sqlite3_errmsg(target));
        sqlite3_close(target);
        return false;
    }
    sqlite3_backup* backup = sqlite3_backup_init(target, "main", source, "main");
    int rc = SQLITE_ERROR;
    if (backup) {
        rc = stepToEnd(backup, busyTimeoutMs(source));
        sqlite3_backup_finish(backup);
    }
    // The copy must stand alone in one file, without a write-ahead log beside it.
    if (rc == SQLITE_DONE)
        rc = sqlite3_exec(target, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
    if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
        *error = QStringLiteral("数据库正被其他程序占用（%1）").arg(QString::fromUtf8(sqlite3_errstr(rc)));
    else if (rc != SQLITE_OK)
        *error = QString::fromUtf8(sqlite3_errmsg(target));
    return sqlite3_close(target) == SQLITE_OK && rc == SQLITE_OK;
}
}

bool backupDatabase(const CAdoConn& conn, const QString& targetPath, QString* error)
{
    sqlite3* source = conn.SqliteHandle();
    if (!source) {
        *error = QStringLiteral("数据库没有打开");
        return false;
    }
    const QFileInfo target(targetPath);
    // Renaming a copy over the open file would leave the program writing to a file that
    // no longer has a name, and its write-ahead log beside the copy.
    const QFileInfo live(QString::fromUtf8(sqlite3_db_filename(source, "main")));
    if (target.exists() && target.canonicalFilePath() == live.canonicalFilePath()) {
        *error = QStringLiteral("不能备份到正在使用的数据库文件 %1").arg(target.absoluteFilePath());
        return false;
    }
    if (!QDir().mkpath(target.absolutePath())) {
        *error = QStringLiteral("无法创建文件夹 %1").arg(target.absolutePath());
        return false;
    }
    const QString temporary = target.absoluteFilePath() + QStringLiteral(".tmp");
    QFile::remove(temporary);
    if (!copyInto(source, temporary, error)) {
        QFile::remove(temporary);
        return false;
    }
    if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(target.absoluteFilePath()).constData())
        != 0) {
        *error = QStringLiteral("无法写入 %1").arg(target.absoluteFilePath());
        QFile::remove(temporary);
        return false;
    }
    return true;
}
