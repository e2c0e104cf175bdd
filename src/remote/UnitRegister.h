#pragma once

#include <QStringList>

class CAdoConn;

// The reporting units (danweiinfo) offered by the statistics upload windows. Database
// failures throw DbError.
class UnitRegister {
public:
    explicit UnitRegister(CAdoConn& conn) : m_conn(conn) {}

    QStringList units() const;
    void add(const QString& name);
    void remove(const QString& name);

private:
    CAdoConn& m_conn;
};
