// Builds the template database that every new program folder starts from:
//   schoollib-mktemplate schema.sql seed.sql book.db
#include "core/PasswordHash.h"
#include "db/AdoConn.h"

#include <QCoreApplication>
#include <QFile>
#include <sqlite3.h>

#include <cstdio>

namespace {
const char* const kInitialOperator = "超级用户";
const char* const kInitialPassword = "123456";

bool run(sqlite3* db, const QByteArray& sql)
{
    char* message = nullptr;
    if (sqlite3_exec(db, sql.constData(), nullptr, nullptr, &message) == SQLITE_OK)
        return true;
    std::fprintf(stderr, "schoollib-mktemplate: %s\n", message);
    sqlite3_free(message);
    return false;
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        std::fprintf(stderr, "schoollib-mktemplate: cannot read %s\n", qPrintable(path));
    return file.readAll();
}

bool addOperator(sqlite3* db)
{
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO admin (用户名, 密码) VALUES (?, ?)", -1, &stmt, nullptr);
    const QByteArray hash = hashPassword(QString::fromUtf8(kInitialPassword)).toUtf8();
    sqlite3_bind_text(stmt, 1, kInitialOperator, -1, SQLITE_STATIC);
    sqlite3_bind_text(stmt, 2, hash.constData(), hash.size(), SQLITE_STATIC);
    const bool ok = sqlite3_step(stmt) == SQLITE_DONE;
    sqlite3_finalize(stmt);
    return ok;
}
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: schoollib-mktemplate schema.sql seed.sql book.db\n");
        return 2;
    }
    const QString target = QString::fromLocal8Bit(argv[3]);
    const QString temporary = target + QStringLiteral(".tmp");
    QFile::remove(temporary);
    sqlite3* db = nullptr;
    if (sqlite3_open(temporary.toUtf8().constData(), &db) != SQLITE_OK)
        return 1;
    const bool ok = run(db, "BEGIN") && run(db, readFile(QString::fromLocal8Bit(argv[1])))
        && run(db, readFile(QString::fromLocal8Bit(argv[2]))) && addOperator(db)
        && run(db, QByteArray("PRAGMA application_id=") + QByteArray::number(CAdoConn::kApplicationId))
        && run(db, "PRAGMA user_version=1") && run(db, "COMMIT");
    sqlite3_close(db);
    if (!ok) {
        QFile::remove(temporary);
        return 1;
    }
    QFile::remove(target);
    return QFile::rename(temporary, target) ? 0 : 1;
}
