#pragma once

#include "db/AdoRecordset.h"
#include "db/BookFields.h"

#include <QString>
#include <QStringList>

class CAdoConn;

// Whether a price may be stored: digits with at most one point ("12.80", "12.", ".5"). A
// second point ("8.9.0") would be stored as text, which lists show as typed while sums
// and reports count it as 8.9.
bool isPriceText(const QString& price);

// The tables whose copies are counted by title.
enum class CopyTable { Books, Periodicals };

// The copy number of a new copy: the copies with exactly this title already stored, plus one.
// Empty for an empty title. Throws DbError when the database fails.
QString copyNumberText(CAdoConn& conn, CopyTable table, const QString& title);

// What a multi-copy add did.
struct AddCopiesResult {
    int added = 0;
    QString nextBookNo;    // the number after the last copy stored (the form shows it)
    QString duplicateNo;   // set when a number was already taken: the add stopped there
    bool failed = false;   // the database refused a copy: the add stopped there
};

// What a delete did: Missing when no copy had that number (any more).
enum class DeleteOutcome { Deleted, Missing, OnLoan, Failed };
// Why a copy was not saved: no such copy or a database refusal; a new number for a copy
// that is lent or reserved; an entry date that is no date.
enum class SaveOutcome { Saved, Failed, OnLoan, NotADate };
// Whether a save writes an empty text over the stored value or leaves that column alone.
enum class EmptyTexts { KeepStored, Written };

// Stores, changes, finds and deletes book copies (bkinfo) for the entry and edit windows.
class CBookStore {
public:
    explicit CBookStore(CAdoConn& conn) : m_conn(conn) {}

    // The first complaint about a form before it is stored, or empty when it may be stored.
    static QString checkEntry(const BookValues& values);
    // Adds `copies` copies numbered from values[kBookNo] on, without the blanks on its left
    // (ASCII white space, as C's isspace knows it); with numberCopies each copy gets
    // the next copy number of its title, else values[kCopyNo] as typed. Empty texts are not
    // written; the entry date is written "YYYY-MM-DD" (one that is no date adds nothing and
    // counts as a failure). Copies stored before a duplicate number or a failure stay.
    AddCopiesResult addCopies(BookValues values, int copies, bool numberCopies);
    // Writes the texts over the copy stored as bookNo (the empty ones as `empty` says), the
    // entry date as "YYYY-MM-DD". A copy that is lent or reserved keeps its number: a loan or
    // a reservation must never lose its copy.
    SaveOutcome save(const QString& bookNo, BookValues values, EmptyTexts empty = EmptyTexts::KeepStored);
    // What the entry and edit windows say when that save did not happen, empty when it did;
    // `failure` is the window's own word for a refused write.
    static QString saveRefusal(SaveOutcome outcome, const QString& bookNo, const BookValues& values,
                               const QString& failure);
    // Deletes the copy unless it is lent or reserved.
    DeleteOutcome remove(const QString& bookNo);
    // Copies whose ISBN or number is the text or whose title, publisher, author or entry date
    // contains it (an empty text gives all), ordered by book number.
    RecordsetPtr search(const QString& text);
    // Copies whose title contains the keyword or whose number is the keyword, in the order
    // they were stored.
    RecordsetPtr findForEdit(const QString& keyword);
    // At most `limit` copies whose title, number or barcode contains the keyword (an empty
    // keyword gives all), in the order they were stored.
    RecordsetPtr findForCancel(const QString& keyword, int limit);
    // Lost copies (bkinfo_diushi) whose number or reader number is the text or whose title
    // contains it (an empty text gives all), in the table's order: 图书编号, 书名, 读者编号,
    // 读者姓名, 挂失日期, 单价, 操作员.
    RecordsetPtr lostBooks(const QString& text);

    static const QStringList& columnNames();

private:
    bool exists(const QString& bookNo);
    bool insert(const BookValues& values);

    CAdoConn& m_conn;
};
