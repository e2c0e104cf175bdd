#include "maintenance/TableColumns.h"

#include "db/Statements.h"

QList<TableColumn> tableColumns(CAdoConn& conn, const QString& table)
{
    RecordsetPtr rs = openOrThrow(
        conn, QStringLiteral("select name, type, dflt_value from pragma_table_info(?) order by cid"),
        {table});
    QList<TableColumn> columns;
    for (; !rs->IsEOF(); rs->MoveNext())
        columns.append({rs->GetCollect(0), rs->GetCollect(1), rs->GetCollect(2)});
    if (columns.isEmpty())
        throw DbError(QStringLiteral("没有数据表 %1").arg(table));
    return columns;
}

QString quotedName(const QString& name)
{
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}
