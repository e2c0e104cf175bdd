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
// Pages copied in one step: small enough for a progress bar to move, large enough that the
// steps cost nothing beside the copying.
constexpr int kPagesPerStep = 256;

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

// Steps the backup to its end. While another connection holds a database, a step is
// retried for as long as a statement would wait (the limit), then given up: the window
// thread must not freeze. SQLITE_INTERRUPT when the progress asked to stop.
int stepToEnd(sqlite3_backup* backup, int waitLimitMs, const CopyProgress& progress)
{
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        const int rc = sqlite3_backup_step(backup, kPagesPerStep);
        const int total = sqlite3_backup_pagecount(backup);
        if (rc == SQLITE_DONE) {
            if (progress)
                progress(total, total);
            return rc;
        }
        if (rc == SQLITE_OK) {
            waited.restart();
            if (progress && !progress(total - sqlite3_backup_remaining(backup), total))
                return SQLITE_INTERRUPT;
            continue;
        }
        if ((rc != SQLITE_BUSY && rc != SQLITE_LOCKED) || waited.elapsed() >= waitLimitMs)
            return rc;
        sqlite3_sleep(kRetryPauseMs);
    }
}

bool copyInto(sqlite3* source, const QString& path, const CopyProgress& progress, QString* error)
{
    if (!createPrivateFile(path, error))
        return false;
    sqlite3* target = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &target, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        *error = QString::fromUtf8(sqlite3_errmsg(target));
        sqlite3_close(target);
        return false;
    }
    bool ok = copyDatabasePages(source, target, busyTimeoutMs(source), progress, error);
    // The copy must stand alone in one file, without a write-ahead log beside it.
    if (ok && sqlite3_exec(target, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr) != SQLITE_OK) {
        *error = QString::fromUtf8(sqlite3_errmsg(target));
        ok = false;
    }
    return sqlite3_close(target) == SQLITE_OK && ok;
}
}

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

bool copyDatabasePages(sqlite3* source, sqlite3* target, int waitLimitMs, const CopyProgress& progress,
                       QString* error)
{
    sqlite3_backup* backup = sqlite3_backup_init(target, "main", source, "main");
    if (!backup) {
        *error = QString::fromUtf8(sqlite3_errmsg(target));
        return false;
    }
    const int rc = stepToEnd(backup, waitLimitMs, progress);
    // Before it is done, finishing rolls the target back to what it was.
    const int finished = sqlite3_backup_finish(backup);
    if (rc == SQLITE_DONE && finished == SQLITE_OK)
        return true;
    if (rc == SQLITE_INTERRUPT)
        *error = QStringLiteral("已取消");
    else if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
        *error = QStringLiteral("数据库正被其他程序占用（%1）").arg(QString::fromUtf8(sqlite3_errstr(rc)));
    else
        *error = QString::fromUtf8(sqlite3_errstr(rc == SQLITE_DONE ? finished : rc));
    return false;
}

bool backupDatabase(const CAdoConn& conn, const QString& targetPath, QString* error, const CopyProgress& progress)
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
    if (!copyInto(source, temporary, progress, error)) {
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
