#include "db/Statements.h"

#include "db/AdoConn.h"

RecordsetPtr openOrThrow(CAdoConn& conn, const QString& sql, const QVariantList& params)
{
    RecordsetPtr rs = conn.GetRecordSet(sql, params);
    if (!rs->IsOpen())
        throw DbError(rs->ErrorText());
    return rs;
}

void executeOrThrow(CAdoConn& conn, const QString& sql, const QVariantList& params)
{
    if (!conn.ExecuteSql(sql, params))
        throw DbError(conn.LastError());
}

QString placeholders(qsizetype n)
{
    return QStringList(n, QStringLiteral("?")).join(QLatin1Char(','));
}
