// Periodical lending and the periodical summaries on a big school: 100,000 periodical copies
// (the first 2,000 on loan) beside the 5,000 readers and 100,000 books of the generated
// school. A lend and a return go through LendingService against the same statements through
// SQLite's C API with prepared statements; both sides use WAL with synchronous FULL. Each
// summary goes from the query to the texts its list shows, against SQLite stepping the same
// statement and reading every column of every row as text.
#include "BigSchool.h"
#include "RawDesk.h"
#include "LendingBench.h"
#include "SideBySide.h"
#include "circulation/LendingService.h"
#include "db/AdoConn.h"
#include "db/RowBlock.h"
#include "catalogue/BookStatistics.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {
using namespace LendingBench;

constexpr int kPeriodicals = 100000;
constexpr int kPeriodicalsOnLoan = 2000;

QString periodicalNumber(int i) { return QStringLiteral("QK%1").arg(i, 6, 10, QLatin1Char('0')); }

void runOrExit(sqlite3* db, sqlite3_stmt* stmt)
{
    if (sqlite3_step(stmt) != SQLITE_DONE) {
        std::fprintf(stderr, "generating the periodicals failed: %s\n", sqlite3_errmsg(db));
        std::exit(1);
    }
    sqlite3_reset(stmt);
}

void bindText(sqlite3_stmt* stmt, int index, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(stmt, index, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
}

// The school's database with its periodicals added, once per program.
QString periodicalSchool()
{
    static const QString path = [] {
        const QString school = BigSchool::instance().path();
        sqlite3* db = nullptr;
        sqlite3_open_v2(school.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt* copy = nullptr;
        sqlite3_prepare_v2(db,
                           "insert into qikaninfo (条形码, 期刊编号, 中图分类, 分类名称, 复本号, 期刊名称, 邮发代号, 出版社名, "
                           "第几期, 总第几期, 出版时间, 国内刊号, 期刊单价, 存放位置, 入库时间, 是否借出) values "
                           "(?, ?, ?, ?, '1', ?, ?, ?, ?, ?, '2017-03-01', 'CN11-1234', cast(? as numeric), '期刊架', ?, ?)",
                           -1, &copy, nullptr);
        for (int i = 0; i < kPeriodicals; ++i) {
            bindText(copy, 1, QStringLiteral("977%1").arg(1000000000LL + i));
            bindText(copy, 2, periodicalNumber(i));
            bindText(copy, 3, QStringLiteral("G%1").arg(i % 40));
            bindText(copy, 4, QStringLiteral("G文化、科学、教育、体育%1").arg(i % 12));
            bindText(copy, 5, QStringLiteral("少年文摘%1").arg(i % 500));
            bindText(copy, 6, QStringLiteral("2-%1").arg(i % 500));
            bindText(copy, 7, QStringLiteral("出版社%1").arg(i % 60));
            bindText(copy, 8, QString::number(i % 24 + 1));
            bindText(copy, 9, QString::number(i % 600 + 1));
            bindText(copy, 10, QString::number(3 + (i % 250) / 10.0));
            bindText(copy, 11, QStringLiteral("2016-%1-01").arg(i % 12 + 1, 2, 10, QLatin1Char('0')));
            sqlite3_bind_int(copy, 12, i < kPeriodicalsOnLoan ? -1 : 0);
            runOrExit(db, copy);
        }
        sqlite3_finalize(copy);
        sqlite3_stmt* loan = nullptr;
        sqlite3_prepare_v2(db,
                           "insert into qkjieyueinfo (期刊编号, 期刊名称, 读者编号, 读者姓名, 读者类别, 借书日期, 应还时间, "
                           "图书价格, 操作员) values (?, ?, ?, '读者', '学生', '2017-04-01', '2017-05-01', 5, '超级用户')",
                           -1, &loan, nullptr);
        for (int i = 0; i < kPeriodicalsOnLoan; ++i) {
            bindText(loan, 1, periodicalNumber(i));
            bindText(loan, 2, QStringLiteral("少年文摘%1").arg(i % 500));
            bindText(loan, 3, BigSchool::readerNumber(BigSchool::kReaders - 1 - i));
            runOrExit(db, loan);
        }
        sqlite3_finalize(loan);
        sqlite3_exec(db, "COMMIT; PRAGMA wal_checkpoint(TRUNCATE)", nullptr, nullptr, nullptr);
        sqlite3_close(db);
        return school;
    }();
    return path;
}

// The statements LendingService runs for periodicals, word for word.
const char* const kTakeCopy = "update qikaninfo set 是否借出=? where 期刊编号=? and 是否借出 in (0, ?)";
const char* const kInsertLoan = "insert into qkjieyueinfo (期刊编号, 期刊名称, 读者编号, 读者姓名, 读者类别, 借书日期, "
                                "应还时间, 图书价格, 操作员) values (?, ?, ?, ?, ?, ?, ?, ?, ?)";
const char* const kInsertHistory = "insert into qkjieyuelishiinfo (期刊编号, 期刊名称, 读者编号, 读者姓名, 读者类别, "
                                   "操作性质, 操作时间, 操作员) values (?, ?, ?, ?, ?, ?, ?, ?)";
const char* const kLoansOfCopy =
    "select 期刊编号, 期刊名称, 读者编号, 读者姓名, 读者类别, '' from qkjieyueinfo where 期刊编号=? order by ID";
const char* const kDeleteLoans = "delete from qkjieyueinfo where 期刊编号=?";
const char* const kPutBack = "update qikaninfo set 是否借出=0 where 期刊编号=?";

const std::string kTitle = "少年文摘";
const std::string kPrice = "12.80";

void serviceLendAndReturn(CAdoConn& conn, const QString& number, const QString& readerNumber)
{
    LendingService desk(conn, QString::fromStdString(kOperator), LoanTables::periodicals());
    const std::optional<ReaderCard> reader = desk.findReader(readerNumber);
    BookCopy copy;
    copy.bookNumber = number;
    copy.title = QString::fromStdString(kTitle);
    copy.price = QString::fromStdString(kPrice);
    if (!reader || desk.lend(*reader, copy) != LendingService::Outcome::Done
        || desk.giveBack(number) != LendingService::Outcome::Done)
        std::abort();
}

void rawLendAndReturn(RawDesk& desk, const QString& copyNumber, const QString& readerNumber)
{
    const std::string number = copyNumber.toStdString();
    const std::string readerNo = readerNumber.toStdString();
    const RawDesk::Row r = findReader(desk, readerNo);

    const LoanDates dates = loanDates(r);
    desk.run("BEGIN IMMEDIATE");
    recheckReader(desk, readerNo);
    if (desk.run(kTakeCopy, {-1LL, number, 0LL}) != 1)
        std::abort();
    desk.run(kInsertLoan, {number, kTitle, readerNo, r[1], r[3], dates.lent, dates.due, std::stoll(kPrice), kOperator});
    desk.run(kInsertHistory, {number, kTitle, readerNo, r[1], r[3], kLent, dates.lent, kOperator});
    recount(desk, readerNo);
    desk.run("COMMIT");

    std::vector<RawDesk::Row> loans;
    desk.run("BEGIN IMMEDIATE");
    desk.run(kLoansOfCopy, {number}, &loans);
    desk.run(kDeleteLoans, {number});
    for (const RawDesk::Row& loan : loans) {
        desk.run(kInsertHistory, {loan[0], loan[1], loan[2], loan[3], loan[4], kReturned, dates.lent, kOperator});
        recount(desk, loan[2]);
    }
    desk.run(kPutBack, {number});
    desk.run("COMMIT");
}

void LendAndReturn(benchmark::State& state)
{
    timeBeside(state, periodicalSchool(), Pool{periodicalNumber, 40000, 20000, 500, 1000},
               Pool{periodicalNumber, 70000, 20000, 1500, 1000}, serviceLendAndReturn, rawLendAndReturn);
}

// The summary statements as the statistics query builds them for periodicals, word for word.
#define PRICE_SUM "sum(round(期刊单价 * 10000)) / 10000"
#define GROUPED(column) \
    "select " column ", count(期刊单价) as 合计, " PRICE_SUM " as 总价 from qikaninfo group by " column " order by " column
const char* const kSummaries[] = {GROUPED("中图分类"), GROUPED("分类名称"), GROUPED("出版社名"), GROUPED("入库时间"),
                                  "select count(期刊单价) as 合计, " PRICE_SUM " as 总计 from qikaninfo"};

// The texts of every cell, as the summary page lists them.
long listedTexts(const QList<QStringList>& rows)
{
    long characters = 0;
    for (const QStringList& row : rows)
        for (const QString& text : row)
            characters += text.size();
    return characters;
}

void Summary(benchmark::State& state)
{
    const auto grouping = static_cast<BookStatistics::Grouping>(state.range(0));
    const QString path = periodicalSchool();
    CAdoConn conn;
    conn.Connect(path);
    RawDesk raw(path);
    SideBySide sides;
    for (auto _ : state)
        state.SetIterationTime(sides.run(
            [&] {
                benchmark::DoNotOptimize(
                    listedTexts(BookStatistics(conn, StatisticsTable::periodicals()).rows(grouping, QStringLiteral("期刊总量"))));
            },
            [&] { benchmark::DoNotOptimize(raw.readAll(kSummaries[state.range(0)])); }));
    sides.report(state);
}
}

BENCHMARK(LendAndReturn)->UseManualTime()->Iterations(400)->Repetitions(5)->Unit(benchmark::kMicrosecond);
BENCHMARK(Summary)
    ->ArgName("grouping")
    ->DenseRange(0, 4)
    ->UseManualTime()
    ->Iterations(20)
    ->Repetitions(5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
