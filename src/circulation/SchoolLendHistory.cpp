#include "circulation/SchoolLendHistory.h"

#include "db/Statements.h"

QStringList SchoolLendHistory::schools() const
{
    RecordsetPtr rs = openOrThrow(m_conn, QStringLiteral("select distinct 所在单位 from jieyuelishiinfogx "
                                                         "order by 所在单位"));
    QStringList names;
    for (; !rs->IsEOF(); rs->MoveNext())
        if (!names.contains(rs->GetCollect(0)))
            names << rs->GetCollect(0);
    return names;
}

RecordsetPtr SchoolLendHistory::rows() const
{
    return openOrThrow(m_conn, QStringLiteral("select * from jieyuelishiinfogx order by rowid"));
}

RecordsetPtr SchoolLendHistory::rowsOf(const QString& school) const
{
    return openOrThrow(m_conn, QStringLiteral("select * from jieyuelishiinfogx where 所在单位=? order by rowid"),
                       {school});
}

const QList<SchoolLendHistory::Grouping>& SchoolLendHistory::groupings()
{
    static const QList<Grouping> list = {
        {QStringLiteral("单位名称"), QStringLiteral("所在单位")},
        {QStringLiteral("操作性质"), QStringLiteral("操作性质")},
        {QStringLiteral("读者类别"), QStringLiteral("读者类别")},
        {QStringLiteral("操作时间"), QStringLiteral("操作时间")},
    };
    return list;
}

QList<QStringList> SchoolLendHistory::countBy(const Grouping& grouping) const
{
    // The column comes from the fixed list above, never from what a user typed.
    const auto known = std::find_if(groupings().begin(), groupings().end(),
                                    [&](const Grouping& g) { return g.column == grouping.column; });
    if (known == groupings().end())
        throw DbError(QStringLiteral("没有这一列: ") + grouping.column);
    RecordsetPtr rs = openOrThrow(
        m_conn, QStringLiteral("select %1, count(书名) as 合计 from jieyuelishiinfogx group by %1").arg(known->column));
    QList<QStringList> groups;
    for (; !rs->IsEOF(); rs->MoveNext())
        groups.append({rs->GetCollect(0), rs->GetCollect(1)});
    return groups;
}

QStringList SchoolLendHistory::listCells(const CAdoRecordset& rs)
{
    QStringList cells{rs.GetCollect(8)};
    for (int field = 1; field <= 7; ++field)
        cells << rs.GetCollect(field);
    return cells;
}
