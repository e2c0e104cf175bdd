// A lend and a return at the circulation desk through LendingService, against the same
// statements through SQLite's C API with prepared statements, on a big school's database.
// Both sides use WAL with synchronous FULL, so each commit waits for the disk.
#include "BigSchool.h"
#include "LendingBench.h"
#include "RawDesk.h"
#include "circulation/LendingService.h"
#include "db/AdoConn.h"

#include <benchmark/benchmark.h>

namespace {
using namespace LendingBench;

// The statements LendingService runs for books, word for word.
const char* const kCopyInStock =
    "select 图书编号, 书名, 著译者, 出版处, 单价, 书架名称, 是否借出, 条形码 from bkinfo where 图书编号=? and 是否借出=0";
const char* const kTakeCopy = "update bkinfo set 是否借出=1 where 图书编号=? and 是否借出 in (0, ?)";
const char* const kInsertLoan = "insert into jieyueinfo (条形码, 图书编号, 书名, 读者编号, 读者姓名, 读者类别, 部门, "
                                "借书日期, 应还时间, 图书价格, 操作员) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";
const char* const kInsertHistory = "insert into jieyuelishiinfo (图书编号, 书名, 读者编号, 读者姓名, 读者类别, 部门, "
                                   "操作性质, 操作时间, 操作员) values (?, ?, ?, ?, ?, ?, ?, ?, ?)";
const char* const kLoansOfCopy =
    "select 图书编号, 书名, 读者编号, 读者姓名, 读者类别, 部门 from jieyueinfo where 图书编号=? order by ID";
const char* const kDeleteLoans = "delete from jieyueinfo where 图书编号=?";
const char* const kPutBack = "update bkinfo set 是否借出=0 where 图书编号=?";

void serviceLendAndReturn(CAdoConn& conn, const QString& book, const QString& readerNumber)
{
    LendingService desk(conn, QString::fromStdString(kOperator));
    const std::optional<ReaderCard> reader = desk.findReader(readerNumber);
    const QList<BookCopy> copies = desk.copyInStock(book);
    if (!reader || copies.size() != 1 || desk.lend(*reader, copies.first()) != LendingService::Outcome::Done
        || desk.giveBack(book) != LendingService::Outcome::Done)
        throw DbError(QStringLiteral("lending failed"));
}

void rawLendAndReturn(RawDesk& desk, const QString& bookNumber, const QString& readerNumber)
{
    const std::string book = bookNumber.toStdString();
    const std::string number = readerNumber.toStdString();
    const RawDesk::Row r = findReader(desk, number);
    std::vector<RawDesk::Row> copy;
    desk.run(kCopyInStock, {book}, &copy);

    const LoanDates dates = loanDates(r);
    const std::string barcode = copy[0][7];
    const long long price = std::stoll(copy[0][4]);
    desk.run("BEGIN IMMEDIATE");
    recheckReader(desk, number);
    if (desk.run(kTakeCopy, {book, 0LL}) != 1)
        std::abort();
    const std::string& title = copy[0][1];
    desk.run(kInsertLoan, {barcode, book, title, number, r[1], r[3], r[5], dates.lent, dates.due, price, kOperator});
    desk.run(kInsertHistory, {book, title, number, r[1], r[3], r[5], kLent, dates.lent, kOperator});
    recount(desk, number);
    desk.run("COMMIT");

    std::vector<RawDesk::Row> loans;
    desk.run("BEGIN IMMEDIATE");
    desk.run(kLoansOfCopy, {book}, &loans);
    desk.run(kDeleteLoans, {book});
    for (const RawDesk::Row& loan : loans) {
        desk.run(kInsertHistory,
                 {loan[0], loan[1], loan[2], loan[3], loan[4], loan[5], kReturned, dates.lent, kOperator});
        recount(desk, loan[2]);
    }
    desk.run(kPutBack, {book});
    desk.run("COMMIT");
}

void LendAndReturn(benchmark::State& state)
{
    timeBeside(state, BigSchool::instance().path(), Pool{BigSchool::bookNumber, 50000, 25000, 2000, 1500},
               Pool{BigSchool::bookNumber, 75000, 25000, 3500, 1500}, serviceLendAndReturn, rawLendAndReturn);
}
}

BENCHMARK(LendAndReturn)->UseManualTime()->Iterations(400)->Repetitions(5)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
