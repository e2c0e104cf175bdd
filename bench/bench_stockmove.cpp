// Copies leaving the stock and coming back through StockMover, against the same statements
// through SQLite's C API with prepared statements, on a big school's 100,000 copies. Each move
// is one transaction on both sides, and both sides run in every iteration (SideBySide).
#include "BigSchool.h"
#include "RawDesk.h"
#include "SideBySide.h"
#include "catalogue/StockMover.h"
#include "core/DateText.h"
#include "db/AdoConn.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {
constexpr int kWeeded = 1000;

// The statements StockMover runs for books, word for word (column lists as it builds them).
const char* const kIsOut =
    "select 1 from bkinfo where 图书编号=?1 and 是否借出 in (?,?) union all select 1 from jieyueinfo where 图书编号=?1 "
    "union all select 1 from jieyue_yuyue where 图书编号=?1 limit 1";
const char* const kCopyRow = "select rowid from bkinfo where 图书编号=? order by rowid limit 1";
const char* const kDeleteCopy = "delete from bkinfo where rowid=?";
const char* const kInStock = "select 1 from bkinfo where 图书编号=?";
#define STOCK_COLUMNS(title)                                                                                        \
    "\"条形码\", \"图书编号\", \"分类号\", \"图书类别\", \"复本号\", \"" title "\", \"著译者\", \"出版处\", \"页数\", " \
    "\"开本\", \"版期\", \"版次\", \"单价\", \"书架名称\", \"入库时间\""
const char* const kToLoss = "insert into bkinfo_diushi (" STOCK_COLUMNS("书名") ", \"读者编号\", \"读者姓名\", "
                            "\"挂失日期\", \"操作员\") select " STOCK_COLUMNS("书名") ", ?, ?, ?, ? from bkinfo where rowid=?";
const char* const kToWeedOut = "insert into bkinfo_tijiu (" STOCK_COLUMNS("图书名称") ", \"剔旧日期\", \"操作员\") select "
                               STOCK_COLUMNS("书名") ", ?, ? from bkinfo where rowid=?";
const char* const kLossNumber = "select 图书编号 from bkinfo_diushi where rowid=?";
const char* const kLossBack = "insert into bkinfo (" STOCK_COLUMNS("书名") ", \"是否借出\") select "
                              STOCK_COLUMNS("书名") ", ? from bkinfo_diushi where rowid=?";
const char* const kDeleteLoss = "delete from bkinfo_diushi where rowid=?";
// How the window finds the row it restores: the ID its list keeps.
const char* const kLossId = "select ID from bkinfo_diushi where 图书编号=?";

const std::string kOperator = "超级用户";

void rawLeaveStock(RawDesk& desk, const std::string& number, bool lost)
{
    static const std::string library = "9999", system = "system";
    const std::string today = todayText().toStdString();
    std::vector<RawDesk::Row> rows;
    desk.run("BEGIN IMMEDIATE");
    desk.run(kIsOut, {number, 1LL, 2LL}, &rows);
    desk.run(kCopyRow, {number}, &rows);
    if (rows.size() != 1)
        std::abort();
    const long long rowId = std::stoll(rows[0][0]);
    if (lost)
        desk.run(kToLoss, {library, system, today, kOperator, rowId});
    else
        desk.run(kToWeedOut, {today, kOperator, rowId});
    if (desk.run(kDeleteCopy, {rowId}) != 1)
        std::abort();
    desk.run("COMMIT");
}

void rawRestoreLoss(RawDesk& desk, long long rowId)
{
    std::vector<RawDesk::Row> number, stocked;
    desk.run("BEGIN IMMEDIATE");
    desk.run(kLossNumber, {rowId}, &number);
    desk.run(kInStock, {number.at(0).at(0)}, &stocked);
    if (!stocked.empty())
        std::abort();
    desk.run(kLossBack, {0LL, rowId});
    if (desk.run(kDeleteLoss, {rowId}) != 1)
        std::abort();
    desk.run("COMMIT");
}

// Copies each side takes in turn, apart from the other side's and from the copies on loan.
struct Pool {
    int first;
    int size;
    int next = 0;
    QString take() { return BigSchool::bookNumber(first + next++ % size); }
};

// StockMover on a connection of its own beside the raw floor, both on the big school.
struct Movers {
    CAdoConn conn;
    StockMover mover{conn, StockTables::books(), QString::fromStdString(kOperator)};
    RawDesk raw{BigSchool::instance().path()};
    Movers() { conn.Connect(BigSchool::instance().path()); }
};

void LostThenRestored(benchmark::State& state)
{
    Movers movers;
    Pool moverPool{10000, 10000};
    Pool rawPool{20000, 10000};
    SideBySide sides;
    for (auto _ : state) {
        const QString moverCopy = moverPool.take();
        const std::string rawCopy = rawPool.take().toStdString();
        state.SetIterationTime(sides.run(
            [&] {
                if (movers.mover.reportLost(moverCopy) != StockMover::Outcome::Done)
                    std::abort();
                const qint64 id =
                    movers.conn.GetRecordSet(QString::fromUtf8(kLossId), {moverCopy})->GetValue(0).toLongLong();
                if (movers.mover.restore(OutKind::Loss, id) != StockMover::Outcome::Done)
                    std::abort();
            },
            [&] {
                rawLeaveStock(movers.raw, rawCopy, true);
                std::vector<RawDesk::Row> id;
                movers.raw.run(kLossId, {rawCopy}, &id);
                rawRestoreLoss(movers.raw, std::stoll(id.at(0).at(0)));
            }));
    }
    sides.report(state);
}

// Weeding out 1,000 ticked copies, one transaction a copy; the copies go back untimed.
void WeedOutThousand(benchmark::State& state)
{
    Movers movers;
    SideBySide sides;
    for (auto _ : state) {
        state.SetIterationTime(sides.run(
            [&] {
                for (int i = 0; i < kWeeded; ++i)
                    if (movers.mover.weedOut(BigSchool::bookNumber(30000 + i)) != StockMover::Outcome::Done)
                        std::abort();
            },
            [&] {
                for (int i = 0; i < kWeeded; ++i)
                    rawLeaveStock(movers.raw, BigSchool::bookNumber(40000 + i).toStdString(), false);
            }));
        RecordsetPtr weeded = movers.conn.GetRecordSet(QStringLiteral("select ID from bkinfo_tijiu"));
        for (; !weeded->IsEOF(); weeded->MoveNext())
            movers.mover.restore(OutKind::WeedOut, weeded->GetValue(0).toLongLong());
    }
    sides.report(state);
}
}

BENCHMARK(LostThenRestored)->UseManualTime()->Iterations(300)->Repetitions(5)->Unit(benchmark::kMicrosecond);
BENCHMARK(WeedOutThousand)->UseManualTime()->Iterations(1)->Repetitions(5)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
