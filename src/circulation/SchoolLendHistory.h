#pragma once

#include "db/AdoRecordset.h"

#include <QList>
#include <QString>
#include <QStringList>

class CAdoConn;

// The lending history merged from several schools (jieyuelishiinfogx), which the system
// only reads. Database failures throw DbError.
class SchoolLendHistory {
public:
    explicit SchoolLendHistory(CAdoConn& conn) : m_conn(conn) {}

    // Every school the history names, once each; a row without one gives the empty text.
    QStringList schools() const;
    // Every row of the history, or those of one school, in the order they were merged.
    RecordsetPtr rows() const;
    RecordsetPtr rowsOf(const QString& school) const;

    // What the history can be counted by: the list's heading and the column.
    struct Grouping {
        QString heading;
        QString column;
    };
    static const QList<Grouping>& groupings();
    // One row a value of the grouping's column: the value and the records of it that have
    // a title, in the database's order of the values.
    QList<QStringList> countBy(const Grouping& grouping) const;

    // The cells a list row shows: 所在单位, then 书名 to 操作员.
    static QStringList listCells(const CAdoRecordset& rs);

private:
    CAdoConn& m_conn;
};
