#include "app/AdminAccounts.h"

#include "core/PasswordHash.h"
#include "db/AdoConn.h"

QString CAdminAccounts::SuperUser() { return QStringLiteral("超级用户"); }

QStringList CAdminAccounts::Names() const
{
    QStringList names;
    RecordsetPtr rs = m_conn.GetRecordSet(QStringLiteral("select* from admin "));
    for (; !rs->IsEOF(); rs->MoveNext())
        names << rs->GetCollect(QStringLiteral("用户名"));
    return names;
}

CAdminAccounts::Result CAdminAccounts::Add(const QString& name, const QString& password)
{
    try {
        RecordsetPtr rs = m_conn.GetRecordSet(QStringLiteral("select* from admin where 用户名=?"), {name});
        if (!rs->IsEOF())
            return Result::NameExists;
    } catch (const DbError&) {
        return Result::Failed;
    }
    const bool added = m_conn.ExecuteSql(QStringLiteral("insert into admin (用户名, 密码) values (?, ?)"),
                                         {name, hashPassword(password)});
    return added ? Result::Done : Result::Failed;
}

CAdminAccounts::Result CAdminAccounts::Remove(const QString& name)
{
    if (name == SuperUser())
        return Result::Protected;
    return m_conn.ExecuteSql(QStringLiteral("delete from admin where 用户名=?"), {name}) ? Result::Done
                                                                                        : Result::Failed;
}

CAdminAccounts::Result CAdminAccounts::ChangePassword(const QString& name, const QString& password)
{
    if (!m_conn.ExecuteSql(QStringLiteral("update admin set 密码=? where 用户名=?"), {hashPassword(password), name}))
        return Result::Failed;
    return m_conn.ChangedRows() == 1 ? Result::Done : Result::NoSuchUser;
}
