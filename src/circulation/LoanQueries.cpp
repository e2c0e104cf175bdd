#include "circulation/LoanQueries.h"

#include "core/DateText.h"
#include "db/LikePattern.h"
#include "db/Statements.h"

namespace {
// The grouping columns: a fixed list, never text the user typed.
QString groupColumn(LoanQueries::Grouping grouping)
{
    switch (grouping) {
    case LoanQueries::Grouping::Department:
        return QStringLiteral("部门");
    case LoanQueries::Grouping::ReaderType:
        return QStringLiteral("读者类别");
    case LoanQueries::Grouping::ReaderName:
        return QStringLiteral("读者姓名");
    case LoanQueries::Grouping::Title:
        break;
    }
    return QStringLiteral("书名");
}
}

RecordsetPtr LoanQueries::currentLoans(const QString& filter) const
{
    if (filter.isEmpty())
        return openOrThrow(m_conn, QStringLiteral("select * from jieyueinfo order by rowid"));
    return openOrThrow(m_conn, QStringLiteral("select * from jieyueinfo where 条形码=?1 or 图书编号=?1 or 读者编号=?1 "
                                              "or 书名 like ?2 escape '\\' or 读者姓名 like ?2 escape '\\' "
                                              "or 借书日期 like ?2 escape '\\' order by rowid"),
                       {filter, containsPattern(filter)});
}

RecordsetPtr LoanQueries::history(const QString& filter) const
{
    if (filter.isEmpty())
        return openOrThrow(m_conn, QStringLiteral("select * from jieyuelishiinfo order by rowid"));
    return openOrThrow(m_conn, QStringLiteral("select * from jieyuelishiinfo where 图书编号=?1 or 读者编号=?1 "
                                              "or 书名 like ?2 escape '\\' or 读者姓名 like ?2 escape '\\' "
                                              "or 操作时间 like ?2 escape '\\' order by rowid"),
                       {filter, containsPattern(filter)});
}

RecordsetPtr LoanQueries::overdue(const QString& filter, const QDate& day) const
{
    // A loan due that day is not overdue yet; a due date with a time of day still counts by its day.
    const QString dayText = dateText(day);
    if (filter.isEmpty())
        return openOrThrow(m_conn, QStringLiteral("select * from jieyueinfo where 应还时间<?1 order by rowid"), {dayText});
    return openOrThrow(m_conn, QStringLiteral("select * from jieyueinfo where 应还时间<?1 and (图书编号=?2 or 读者编号=?2 "
                                              "or 读者姓名 like ?3 escape '\\') order by rowid"),
                       {dayText, filter, containsPattern(filter)});
}

RecordsetPtr LoanQueries::summary(Grouping grouping, const std::optional<Period>& period) const
{
    const QString column = groupColumn(grouping);
    if (!period)
        return openOrThrow(m_conn, QStringLiteral("select %1, count(%1) as 合计 from jieyuelishiinfo "
                                                  "where 操作性质='图书借阅' group by %1 order by %1")
                                       .arg(column));
    return openOrThrow(m_conn, QStringLiteral("select %1, count(%1) as 合计 from jieyuelishiinfo "
                                              "where 操作性质='图书借阅' and 操作时间>=?1 and 操作时间<=?2 "
                                              "group by %1 order by %1")
                                   .arg(column),
                       {period->from, period->to});
}
