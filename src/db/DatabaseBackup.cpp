#include "db/DatabaseBackup.h"

#include "db/AdoConn.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

#include <cstdio>

namespace {
bool copyInto(sqlite3* source, const QString& path, QString* error)
{
    sqlite3* target = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr)
        != SQLITE_OK) {
        *error = QString::fromUtf8(sqlite3_errmsg(target));
        sqlite3_close(target);
        return false;
    }
    sqlite3_backup* backup = sqlite3_backup_init(target, "main", source, "main");
    bool ok = backup != nullptr;
    if (ok) {
        int rc;
        while ((rc = sqlite3_backup_step(backup, -1)) == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
            sqlite3_sleep(20);
        ok = rc == SQLITE_DONE;
        sqlite3_backup_finish(backup);
    }
    // The copy must stand alone in one file, without a write-ahead log beside it.
    ok = ok && sqlite3_exec(target, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr) == SQLITE_OK;
    if (!ok)
        *error = QString::fromUtf8(sqlite3_errmsg(target));
    return sqlite3_close(target) == SQLITE_OK && ok;
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
