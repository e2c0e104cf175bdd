#include "exchange/BookStatistics.h"

#include "db/Statements.h"

namespace {
// The grouping columns: a fixed list, never text the user typed.
QString groupColumn(BookStatistics::Grouping grouping)
{
    switch (grouping) {
    case BookStatistics::Grouping::ClassNo:
        return QStringLiteral("分类号");
    case BookStatistics::Grouping::Type:
        return QStringLiteral("图书类别");
    case BookStatistics::Grouping::Publisher:
        return QStringLiteral("出版处");
    case BookStatistics::Grouping::EntryDate:
        return QStringLiteral("入库时间");
    case BookStatistics::Grouping::Total:
        break;
    }
    return {};
}
}

RecordsetPtr BookStatistics::query(Grouping grouping) const
{
    if (grouping == Grouping::Total)
        return openOrThrow(m_conn, QStringLiteral("select count(书名) as 合计, sum(单价) as 总计 from bkinfo"));
    const QString column = groupColumn(grouping);
    return openOrThrow(m_conn, QStringLiteral("select %1, count(书名) as 合计, sum(单价) as 总价 from bkinfo "
                                              "group by %1 order by %1")
                                   .arg(column));
}

QString BookStatistics::shownSum(const QString& sum)
{
    const qsizetype point = sum.indexOf(QLatin1Char('.'));
    return point < 0 ? sum : sum.left(point + 3);
}
