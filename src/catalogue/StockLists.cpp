#include "catalogue/StockLists.h"

#include "core/DateText.h"
#include "db/AdoConn.h"
#include "db/LikePattern.h"

RecordsetPtr StockLists::inStock(const QString& key) const
{
    return byText(m_tables.stock, m_tables.titleColumn, key);
}

RecordsetPtr StockLists::outByText(OutKind kind, const QString& key) const
{
    const OutTable& table = m_tables.out(kind);
    return byText(table.name, table.titleColumn, key);
}

RecordsetPtr StockLists::outByDates(OutKind kind, const QDate& first, const QDate& last) const
{
    const OutTable& table = m_tables.out(kind);
    return m_conn.GetRecordSet(QStringLiteral("select* from %1 where %2>=? and %2<? order by rowid")
                                   .arg(table.name, table.dateColumn),
                               {dateText(first), dateText(last.addDays(1))});
}

RecordsetPtr StockLists::byText(const QString& table, const QString& titleColumn, const QString& key) const
{
    if (key.isEmpty())
        return m_conn.GetRecordSet(QStringLiteral("select* from %1 order by rowid").arg(table));
    return m_conn.GetRecordSet(QStringLiteral("select* from %1 where %2=? or %3 like ? escape '\\' order by rowid")
                                   .arg(table, m_tables.key, titleColumn),
                               {key, containsPattern(key)});
}
