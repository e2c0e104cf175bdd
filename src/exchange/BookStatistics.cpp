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

// Prices are added up in ten-thousandths, as whole numbers: a sum of many binary fractions
// drifts (fifty copies at 1234.5678 would give 61728.3899999999), a sum of whole numbers
// does not, and the one division at the end gives the sum a librarian would write down.
const QString kPriceSum = QStringLiteral("sum(round(单价 * 10000)) / 10000");
}

RecordsetPtr BookStatistics::query(Grouping grouping) const
{
    if (grouping == Grouping::Total)
        return openOrThrow(m_conn, QStringLiteral("select count(书名) as 合计, %1 as 总计 from bkinfo").arg(kPriceSum));
    const QString column = groupColumn(grouping);
    return openOrThrow(m_conn, QStringLiteral("select %1, count(书名) as 合计, %2 as 总价 from bkinfo "
                                              "group by %1 order by %1")
                                   .arg(column, kPriceSum));
}

QString BookStatistics::shownSum(const QString& sum)
{
    const qsizetype point = sum.indexOf(QLatin1Char('.'));
    return point < 0 ? sum : sum.left(point + 3);
}
