// The whole catalogue of a big school ("(全部)" in the book windows) read through a recordset,
// every column of every row as text, against SQLite's C API reading every column as text.
#include "BigSchool.h"
#include "SideBySide.h"
#include "db/AdoConn.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {
const char* const kCatalogue = "select * from bkinfo order by 图书编号";

qsizetype readThroughRecordset(CAdoConn& conn)
{
    RecordsetPtr rs = conn.GetRecordSet(QString::fromUtf8(kCatalogue));
    const int columns = rs->GetFieldCount();
    qsizetype characters = 0;
    for (; !rs->IsEOF(); rs->MoveNext())
        for (int c = 0; c < columns; ++c)
            characters += rs->GetCollect(c).size();
    return characters;
}

qsizetype readRaw(sqlite3_stmt* stmt)
{
    const int columns = sqlite3_column_count(stmt);
    qsizetype bytes = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW)
        for (int c = 0; c < columns; ++c) {
            benchmark::DoNotOptimize(sqlite3_column_text(stmt, c));
            bytes += sqlite3_column_bytes(stmt, c);
        }
    sqlite3_reset(stmt);
    return bytes;
}

void WholeCatalogue(benchmark::State& state)
{
    const BigSchool& school = BigSchool::instance();
    CAdoConn conn;
    conn.Connect(school.path());
    sqlite3* db = nullptr;
    sqlite3_open_v2(school.path().toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, kCatalogue, -1, &stmt, nullptr);
    SideBySide sides;
    for (auto _ : state)
        state.SetIterationTime(sides.run([&] { benchmark::DoNotOptimize(readThroughRecordset(conn)); },
                                         [&] { benchmark::DoNotOptimize(readRaw(stmt)); }));
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    sides.report(state);
    state.SetItemsProcessed(state.iterations() * BigSchool::kCopies);
}
}

BENCHMARK(WholeCatalogue)->UseManualTime()->Iterations(6)->Repetitions(5)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
