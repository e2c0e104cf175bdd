#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class CAdoConn;

// Stores the rows of the MARC import list as new book copies.
class MarcImport {
public:
    explicit MarcImport(CAdoConn& conn) : m_conn(conn) {}

    // The number of the first copy stored next: one past the greatest book number that is
    // all digits, compared as numbers of any length; "0" when there is none.
    QString firstNumber();
    // Stores each row (the fifteen texts of bkinfo columns 1 to 15) numbered on from
    // firstNumber, with copy number "1", all in one transaction: a failure stores nothing.
    bool store(const QList<QStringList>& rows);

private:
    CAdoConn& m_conn;
};
