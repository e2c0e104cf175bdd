#pragma once

#include <QList>
#include <QString>

class CAdoConn;

// One column of a table as the database file describes it.
struct TableColumn {
    QString name;
    QString type;          // the declared type: "TEXT", "INTEGER", "NUMERIC" ...
    QString defaultValue;  // the default as the schema writes it (an SQL literal), empty for none
};

// The columns of a table in their order: rows are copied and cells written by position, so
// the names come from the file, never from a list of our own. Throws DbError.
QList<TableColumn> tableColumns(CAdoConn& conn, const QString& table);

// A column name as it may stand in a statement.
QString quotedName(const QString& name);
