#pragma once

#include <QString>
#include <QStringList>

class CAdoConn;

// The operators who may log in (table admin). Passwords are kept only as salted hashes;
// the login looks the name up and verifies the password against its hash.
class CAdminAccounts {
public:
    enum class Result { Done, NameExists, NoSuchUser, Protected, Failed };

    // The operator that always exists and can never be deleted.
    static QString SuperUser();

    explicit CAdminAccounts(CAdoConn& conn) : m_conn(conn) {}

    // The user names in table order. Throws DbError when the table cannot be read.
    QStringList Names() const;
    Result Add(const QString& name, const QString& password);
    Result Remove(const QString& name);
    Result ChangePassword(const QString& name, const QString& password);

private:
    CAdoConn& m_conn;
};
