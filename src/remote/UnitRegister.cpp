#include "remote/UnitRegister.h"

#include "db/Statements.h"

QStringList UnitRegister::units() const
{
    RecordsetPtr rs = openOrThrow(m_conn, QStringLiteral("select 单位名称 from danweiinfo order by rowid"));
    QStringList names;
    for (; !rs->IsEOF(); rs->MoveNext())
        names << rs->GetCollect(0);
    return names;
}

void UnitRegister::add(const QString& name)
{
    executeOrThrow(m_conn, QStringLiteral("insert into danweiinfo (单位名称) values (?)"), {name});
}

void UnitRegister::remove(const QString& name)
{
    executeOrThrow(m_conn, QStringLiteral("delete from danweiinfo where 单位名称=?"), {name});
}
