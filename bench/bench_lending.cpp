// A lend and a return at the circulation desk through LendingService, against the same
// statements through SQLite's C API with prepared statements, on a big school's database.
// Both sides use WAL with synchronous FULL, so each commit waits for the disk.
#include "BigSchool.h"
#include "RawDesk.h"
#include "SideBySide.h"
#include "circulation/LendingService.h"
#include "core/DateText.h"
#include "db/AdoConn.h"

#include <QDate>
#include <benchmark/benchmark.h>

namespace {

// The statements LendingService runs, word for word.
const char* const kReader =
    "select 编号, 姓名, 性别, 类别, 借书期限, 部门, "
    "(select count(*) from jieyueinfo j where j.读者编号=readerinfo.编号) + "
    "(select count(*) from qkjieyueinfo q where q.读者编号=readerinfo.编号), 借阅数量限制 from readerinfo where 编号=?";
const char* const kCopyInStock =
    "select 图书编号, 书名, 著译者, 出版处, 单价, 书架名称, 是否借出, 条形码 from bkinfo where 图书编号=? and 是否借出=0";
const char* const kLoanCount = "select (select count(*) from jieyueinfo where 读者编号=?) + "
                               "(select count(*) from qkjieyueinfo where 读者编号=?)";
const char* const kRecount = "update readerinfo set 未还书数=(select count(*) from jieyueinfo where 读者编号=?) + "
                             "(select count(*) from qkjieyueinfo where 读者编号=?) where 编号=?";
const char* const kTakeCopy = "update bkinfo set 是否借出=1 where 图书编号=? and 是否借出 in (0, ?)";
const char* const kInsertLoan = "insert into jieyueinfo (条形码, 图书编号, 书名, 读者编号, 读者姓名, 读者类别, 部门, "
                                "借书日期, 应还时间, 图书价格, 操作员) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";
const char* const kInsertHistory = "insert into jieyuelishiinfo (图书编号, 书名, 读者编号, 读者姓名, 读者类别, 部门, "
                                   "操作性质, 操作时间, 操作员) values (?, ?, ?, ?, ?, ?, ?, ?, ?)";
const char* const kLoansOfCopy =
    "select 图书编号, 书名, 读者编号, 读者姓名, 读者类别, 部门 from jieyueinfo where 图书编号=? order by ID";
const char* const kDeleteLoans = "delete from jieyueinfo where 图书编号=?";
const char* const kPutBack = "update bkinfo set 是否借出=0 where 图书编号=?";

const std::string kOperator = "超级用户";
const std::string kLent = "图书借阅";
const std::string kReturned = "图书归还";

// Copies and readers that nobody else touches, taken in turn; each side has its own.
struct Pool {
    int firstCopy;
    int firstReader;
    int next = 0;
    std::pair<QString, QString> take()
    {
        const int k = next++;
        return {BigSchool::bookNumber(firstCopy + k % 25000), BigSchool::readerNumber(firstReader + k % 1500)};
    }
};

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
    std::vector<RawDesk::Row> reader, copy, rows;
    desk.run(kReader, {number}, &reader);
    desk.run(kCopyInStock, {book}, &copy);

    const QDate today = QDate::currentDate();
    const std::string lent = dateText(today).toStdString();
    const std::string due = dateText(today.addDays(std::stoi(reader[0][4]))).toStdString();
    const std::string barcode = copy[0][7];
    const long long price = std::stoll(copy[0][4]);
    desk.run("BEGIN IMMEDIATE");
    desk.run(kReader, {number}, &rows);
    desk.run(kLoanCount, {number, number}, &rows);
    if (desk.run(kTakeCopy, {book, 0LL}) != 1)
        std::abort();
    const std::string& title = copy[0][1];
    const RawDesk::Row& r = reader[0];
    desk.run(kInsertLoan, {barcode, book, title, number, r[1], r[3], r[5], lent, due, price, kOperator});
    desk.run(kInsertHistory, {book, title, number, r[1], r[3], r[5], kLent, lent, kOperator});
    desk.run(kRecount, {number, number, number});
    desk.run(kLoanCount, {number, number}, &rows);
    desk.run("COMMIT");

    std::vector<RawDesk::Row> loans;
    desk.run("BEGIN IMMEDIATE");
    desk.run(kLoansOfCopy, {book}, &loans);
    desk.run(kDeleteLoans, {book});
    for (const RawDesk::Row& loan : loans) {
        desk.run(kInsertHistory, {loan[0], loan[1], loan[2], loan[3], loan[4], loan[5], kReturned, lent, kOperator});
        desk.run(kRecount, {loan[2], loan[2], loan[2]});
        desk.run(kLoanCount, {loan[2], loan[2]}, &rows);
    }
    desk.run(kPutBack, {book});
    desk.run("COMMIT");
}

void LendAndReturn(benchmark::State& state)
{
    const BigSchool& school = BigSchool::instance();
    CAdoConn conn;
    conn.Connect(school.path());
    RawDesk raw(school.path());
    Pool servicePool{50000, 2000};
    Pool rawPool{75000, 3500};
    SideBySide sides;
    for (auto _ : state) {
        const auto [serviceBook, serviceReader] = servicePool.take();
        const auto [rawBook, rawReader] = rawPool.take();
        state.SetIterationTime(sides.run([&] { serviceLendAndReturn(conn, serviceBook, serviceReader); },
                                         [&] { rawLendAndReturn(raw, rawBook, rawReader); }));
    }
    sides.report(state);
}
}

BENCHMARK(LendAndReturn)->UseManualTime()->Iterations(400)->Repetitions(5)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
