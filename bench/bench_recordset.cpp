// Reading a whole catalogue through CAdoConn against reading it with raw SQLite: the
// recordset fetches every row into memory, which list windows page through.
#include "db/AdoConn.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {
constexpr int kBooks = 20000;

struct Catalogue {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("book.db"));
    CAdoConn conn;

    Catalogue()
    {
        QFile::copy(QStringLiteral(SCHOOLLIB_TEMPLATE_DB), path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        conn.Connect(path);
        CTransaction t(conn);
        for (int i = 0; i < kBooks; ++i)
            conn.ExecuteSql(QStringLiteral("insert into bkinfo (条形码, 图书编号, 书名, 单价, 入库时间) values (?, ?, ?, ?, ?)"),
                            {QStringLiteral("978%1").arg(i, 10, 10, QLatin1Char('0')),
                             QStringLiteral("B%1").arg(i, 6, 10, QLatin1Char('0')), QStringLiteral("书名%1").arg(i),
                             25.8, QStringLiteral("2017-04-11")});
        t.Commit();
    }
};

Catalogue& catalogue()
{
    static Catalogue c;
    return c;
}

void RecordsetWholeCatalogue(benchmark::State& state)
{
    CAdoConn& conn = catalogue().conn;
    for (auto _ : state) {
        RecordsetPtr rs = conn.GetRecordSet(QStringLiteral("select * from bkinfo order by 图书编号"));
        long n = 0;
        for (; !rs->IsEOF(); rs->MoveNext())
            n += rs->GetCollect(6).size();
        benchmark::DoNotOptimize(n);
    }
    state.SetItemsProcessed(state.iterations() * kBooks);
}

void RawSqliteWholeCatalogue(benchmark::State& state)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(catalogue().path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    for (auto _ : state) {
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, "select * from bkinfo order by 图书编号", -1, &stmt, nullptr);
        long n = 0;
        while (sqlite3_step(stmt) == SQLITE_ROW)
            n += QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 6))).size();
        sqlite3_finalize(stmt);
        benchmark::DoNotOptimize(n);
    }
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations() * kBooks);
}
}

BENCHMARK(RecordsetWholeCatalogue)->Unit(benchmark::kMillisecond);
BENCHMARK(RawSqliteWholeCatalogue)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
