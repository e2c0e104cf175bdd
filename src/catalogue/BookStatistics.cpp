#include "catalogue/BookStatistics.h"

#include "db/Statements.h"
#include "core/MoneySum.h"

const StatisticsTable& StatisticsTable::books()
{
    static const StatisticsTable table{QStringLiteral("bkinfo"), QStringLiteral("书名"), QStringLiteral("单价"),
                                       {QStringLiteral("分类号"), QStringLiteral("图书类别"), QStringLiteral("出版处"),
                                        QStringLiteral("入库时间")}};
    return table;
}

const StatisticsTable& StatisticsTable::periodicals()
{
    static const StatisticsTable table{QStringLiteral("qikaninfo"), QStringLiteral("期刊单价"), QStringLiteral("期刊单价"),
                                       {QStringLiteral("中图分类"), QStringLiteral("分类名称"), QStringLiteral("出版社名"),
                                        QStringLiteral("入库时间")}};
    return table;
}

RecordsetPtr BookStatistics::query(Grouping grouping) const
{
    const QString sum = MoneySum::sqlSum(m_table.price);
    if (grouping == Grouping::Total)
        return openOrThrow(m_conn, QStringLiteral("select count(%1) as 合计, %2 as 总计 from %3")
                                       .arg(m_table.counted, sum, m_table.table));
    const QString column = m_table.groupColumns[static_cast<std::size_t>(grouping)];
    return openOrThrow(m_conn, QStringLiteral("select %1, count(%2) as 合计, %3 as 总价 from %4 "
                                              "group by %1 order by %1")
                                   .arg(column, m_table.counted, sum, m_table.table));
}

QList<QStringList> BookStatistics::rows(Grouping grouping, const QString& totalName) const
{
    const RecordsetPtr result = query(grouping);
    const RowBlock& block = *result->SharedRows();
    QList<QStringList> rows;
    for (int r = 0; r < block.rowCount(); ++r) {
        QStringList row;
        if (grouping == Grouping::Total)
            row << totalName;
        for (int field = 0; field < block.columnCount(); ++field)
            row << block.text(r, field);
        rows << row;
    }
    return rows;
}

QString BookStatistics::shownSum(const QString& sum)
{
    const qsizetype point = sum.indexOf(QLatin1Char('.'));
    return point < 0 ? sum : sum.left(point + 3);
}
