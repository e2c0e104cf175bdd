#include "app/LoginCheck.h"

#include "core/Collation.h"
#include "core/PasswordHash.h"
#include "db/AdoConn.h"

QStringList operatorNames(CAdoConn& conn)
{
    QStringList names;
    try {
        RecordsetPtr rs = conn.GetRecordSet(QStringLiteral("select 用户名 from admin"));
        for (; !rs->IsEOF(); rs->MoveNext())
            names << rs->GetCollect(0);
    } catch (const DbError&) {
        // The names read so far are still offered.
    }
    collateSort(names);
    return names;
}

bool checkLogin(CAdoConn& conn, const QString& name, const QString& password)
{
    try {
        RecordsetPtr rs = conn.GetRecordSet(QStringLiteral("select 密码 from admin where 用户名=?"), {name});
        return !rs->IsEOF() && verifyPassword(password, rs->GetCollect(0));
    } catch (const DbError&) {
        return false;
    }
}
