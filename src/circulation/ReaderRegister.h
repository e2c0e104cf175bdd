#pragma once

#include "db/AdoRecordset.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class CAdoConn;

// The reader entry form, texts as typed.
struct ReaderForm {
    QString number;
    QString name;
    QString sex;
    QString type;
    QString period;
    QString dept;
    QString limit;
    QString date;
    QString remark;
};

// A row of duzheleibie.
struct ReaderType {
    QString name;
    QString period;
    QString limit;
};

// The reader lists' columns (reader entry and reader query windows), and their texts of the
// recordset's current readerinfo row: fields 0-5, 8, 9, 7 and 11.
QString readerListHeadings();
QStringList readerListRow(const CAdoRecordset& rs);

// The register of readers (readerinfo) and its two reference tables, reader types
// (duzheleibie) and departments (bumeninfo). Database failures throw DbError.
class ReaderRegister {
public:
    enum class Removal { Removed, HasLoans, Missing };

    explicit ReaderRegister(CAdoConn& conn);

    bool exists(const QString& number) const;
    // A new reader; 借出次数 starts at 0 and 未还书数 is left empty. Both writes store the
    // registration date as the form holds it: a saved reader from an older register keeps
    // his "2016/9/1" or "2016年秋", since nothing compares these dates as dates.
    void add(const ReaderForm& form);
    // Rewrites the reader's form fields; 借出次数 and 未还书数 stay as stored. False when no
    // reader has that number.
    bool save(const ReaderForm& form);
    // Deletes the reader unless he has items on loan now (a fresh count, not a shown one).
    Removal remove(const QString& number);

    // The entry window's search: an empty filter lists everyone; otherwise name, department,
    // type and registration date contain the filter or the number is the filter. By number.
    RecordsetPtr search(const QString& filter) const;
    // Every reader in the table's order.
    RecordsetPtr all() const;
    // The reader of that number (none or one).
    RecordsetPtr reader(const QString& number) const;
    // The cancel window's search: number, name or department contain the filter.
    RecordsetPtr searchForCancel(const QString& filter) const;

    QList<ReaderType> types() const;
    std::optional<ReaderType> type(const QString& name) const;
    void addType(const ReaderType& type);
    void removeType(const QString& name);

    QStringList departments() const;
    void addDepartment(const QString& dept);
    void removeDepartment(const QString& dept);

private:
    CAdoConn& m_conn;
};
