#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class CAdoConn;

// One of the small tables the entry windows offer in their combo boxes: two text columns,
// the first one the key.
struct ReferenceTable {
    QString table;
    QString keyColumn;
    QString otherColumn;
};

const ReferenceTable& bookTypeTable();
const ReferenceTable& publisherTable();
const ReferenceTable& shelfTable();

// Reads, adds and deletes rows of a reference table. A NULL reads as the empty text.
class CReferenceStore {
public:
    CReferenceStore(CAdoConn& conn, const ReferenceTable& table) : m_conn(conn), m_table(table) {}

    // Every row as {key, other}. Throws DbError when the database fails.
    QList<QStringList> rows();
    enum class Column { Key, Other };
    // The texts of one column of every row, sorted by the zh_CN collation.
    QStringList sortedColumn(Column column);
    // False when the database refuses the row (a key that exists, for instance).
    bool add(const QString& key, const QString& other);
    bool remove(const QString& key);

private:
    CAdoConn& m_conn;
    const ReferenceTable& m_table;
};
