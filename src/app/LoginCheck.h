#pragma once

#include <QString>
#include <QStringList>

class CAdoConn;

// The operator names, sorted for the login list.
QStringList operatorNames(CAdoConn& conn);
// The stored operator name when the password matches it, else the empty text.
QString checkLogin(CAdoConn& conn, const QString& name, const QString& password);
