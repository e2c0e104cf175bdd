#pragma once

#include "db/RowBlock.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <map>
#include <memory>
#include <stdexcept>
#include <vector>

class DbBackend;
struct ResultSet;

// A failure of the database layer; windows catch it around their recordset loops and
// show their failure text ("操作失败").
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& what) : std::runtime_error(what.toStdString()) {}
    QString text() const { return QString::fromStdString(what()); }
};

// The rows of one query held in memory: the record count is exact and the cursor moves
// freely. A recordset whose query failed is not open, and every call on it throws DbError.
// NULL reads as the empty text. The rows sit in a RowBlock that can be shared read-only.
class CAdoRecordset {
public:
    CAdoRecordset(std::shared_ptr<DbBackend> backend, ResultSet&& rows);
    explicit CAdoRecordset(QString error);
    ~CAdoRecordset();

    bool IsOpen() const { return m_open; }
    QString ErrorText() const { return m_error; }

    bool IsEOF() const;
    bool IsBOF() const;
    long GetRecordCount() const;
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();
    void Move(long count);

    int GetFieldCount() const;
    QString GetFieldName(int ordinal) const;
    QString GetCollect(const QString& name) const;
    QString GetCollect(int ordinal) const;
    QVariant GetValue(const QString& name) const;
    QVariant GetValue(int ordinal) const;
    // The current row, one text a column.
    QStringList GetRowTexts() const;
    // The rows as they are now, for a reader elsewhere (an export job's thread): a later
    // insert through this recordset leaves the returned block as it is.
    std::shared_ptr<const RowBlock> SharedRows() const;

    // Inserts through the recordset: AddNew, PutCollect for each wanted column, Update.
    // Only a recordset over one whole table can insert. Update throws DbError on failure.
    void AddNew();
    void PutCollect(const QString& name, const QVariant& value);
    void PutCollect(int ordinal, const QVariant& value);
    void Update();

private:
    void requireOpen() const;
    void requireRow() const;
    void requireColumn(int ordinal) const;
    int ordinalOf(const QString& name) const;
    int row() const { return static_cast<int>(m_pos); }
    long rowCount() const { return m_rows->rowCount(); }

    bool m_open = false;
    QString m_error;
    // Weak: a recordset must not keep its connection's database file open.
    std::weak_ptr<DbBackend> m_backend;
    // Shared with the blocks SharedRows handed out; copied before an insert changes it.
    std::shared_ptr<RowBlock> m_rows;
    QString m_table;
    long m_pos = 0;
    bool m_adding = false;
    std::map<int, QVariant> m_pending;
};

using RecordsetPtr = std::shared_ptr<CAdoRecordset>;
