#include "catalogue/StockTables.h"

#include "db/AdoConn.h"
#include "db/Statements.h"

const StockTables& StockTables::books()
{
    static const StockTables tables{
        QStringLiteral("bkinfo"), QStringLiteral("图书编号"), QStringLiteral("书名"), QStringLiteral("是否借出"),
        {1, 2}, 0, QStringLiteral("jieyueinfo"), QStringLiteral("jieyue_yuyue"),
        {QStringLiteral("bkinfo_diushi"), QStringLiteral("书名"), QStringLiteral("挂失日期")},
        {QStringLiteral("bkinfo_tijiu"), QStringLiteral("图书名称"), QStringLiteral("剔旧日期")}};
    return tables;
}

const StockTables& StockTables::periodicals()
{
    static const StockTables tables{
        QStringLiteral("qikaninfo"), QStringLiteral("期刊编号"), QStringLiteral("期刊名称"), QStringLiteral("是否借出"),
        {}, 0, QStringLiteral("qkjieyueinfo"), QString(),
        {QStringLiteral("qkinfo_diushi"), QStringLiteral("期刊名称"), QStringLiteral("挂失日期")},
        {QStringLiteral("qkinfo_tijiu"), QStringLiteral("期刊名称"), QStringLiteral("剔旧日期")}};
    return tables;
}

bool StockTables::isOut(CAdoConn& conn, const QString& number) const
{
    QVariantList params{number};
    QString sql = QStringLiteral("select 1 from %1 where %2=?1").arg(loans, key);
    if (!outFlags.isEmpty()) {
        for (int flag : outFlags)
            params << flag;
        sql += QStringLiteral(" union all select 1 from %1 where %2=?1 and %3 in (%4)")
                   .arg(stock, key, flagColumn, placeholders(outFlags.size()));
    }
    if (!reservations.isEmpty())
        sql += QStringLiteral(" union all select 1 from %1 where %2=?1").arg(reservations, key);
    return !openOrThrow(conn, sql + QStringLiteral(" limit 1"), params)->IsEOF();
}

QString StockTables::backInStockFlag() const
{
    if (reservations.isEmpty())
        return QString::number(inStockFlag);
    return QStringLiteral("case when exists (select 1 from %1 where %2=?1) then %3 else %4 end")
        .arg(reservations, key)
        .arg(reservedFlag)
        .arg(inStockFlag);
}
