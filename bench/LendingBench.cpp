#include "LendingBench.h"

#include "BigSchool.h"
#include "SideBySide.h"
#include "core/DateText.h"
#include "db/AdoConn.h"

#include <QDate>

namespace LendingBench {
namespace {
const char* const kReader =
    "select 编号, 姓名, 性别, 类别, 借书期限, 部门, "
    "(select count(*) from jieyueinfo j where j.读者编号=readerinfo.编号) + "
    "(select count(*) from qkjieyueinfo q where q.读者编号=readerinfo.编号), 借阅数量限制 from readerinfo where 编号=?";
const char* const kLoanCount = "select (select count(*) from jieyueinfo where 读者编号=?) + "
                               "(select count(*) from qkjieyueinfo where 读者编号=?)";
const char* const kRecount = "update readerinfo set 未还书数=(select count(*) from jieyueinfo where 读者编号=?) + "
                             "(select count(*) from qkjieyueinfo where 读者编号=?) where 编号=?";
}

const std::string kOperator = "超级用户";
const std::string kLent = "图书借阅";
const std::string kReturned = "图书归还";

RawDesk::Row findReader(RawDesk& desk, const std::string& number)
{
    std::vector<RawDesk::Row> reader;
    desk.run(kReader, {number}, &reader);
    return std::move(reader.at(0));
}

LoanDates loanDates(const RawDesk::Row& reader)
{
    const QDate today = QDate::currentDate();
    return {dateText(today).toStdString(), dateText(today.addDays(std::stoi(reader[4]))).toStdString()};
}

void recheckReader(RawDesk& desk, const std::string& number)
{
    std::vector<RawDesk::Row> rows;
    desk.run(kReader, {number}, &rows);
    desk.run(kLoanCount, {number, number}, &rows);
}

void recount(RawDesk& desk, const std::string& number)
{
    std::vector<RawDesk::Row> rows;
    desk.run(kRecount, {number, number, number});
    desk.run(kLoanCount, {number, number}, &rows);
}

std::pair<QString, QString> Pool::take()
{
    const int k = next++;
    return {copyNumber(firstCopy + k % copies), BigSchool::readerNumber(firstReader + k % readers)};
}

void timeBeside(benchmark::State& state, const QString& path, Pool servicePool, Pool rawPool,
                ServiceLendAndReturn service, RawLendAndReturn raw)
{
    CAdoConn conn;
    conn.Connect(path);
    RawDesk desk(path);
    SideBySide sides;
    for (auto _ : state) {
        const auto [serviceCopy, serviceReader] = servicePool.take();
        const auto [rawCopy, rawReader] = rawPool.take();
        state.SetIterationTime(sides.run([&] { service(conn, serviceCopy, serviceReader); },
                                         [&] { raw(desk, rawCopy, rawReader); }));
    }
    sides.report(state);
}
}
