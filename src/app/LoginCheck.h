#pragma once

#include <QString>
#include <QStringList>

class CAdoConn;

// The operator names, sorted for the login list.
QStringList operatorNames(CAdoConn& conn);
// Whether admin holds the name (compared as the database compares it, without regard to
// Latin case) with that password.
bool checkLogin(CAdoConn& conn, const QString& name, const QString& password);
