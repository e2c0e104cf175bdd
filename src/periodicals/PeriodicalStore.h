#pragma once

#include "catalogue/BookStore.h"
#include "db/AdoRecordset.h"

#include <QString>
#include <QStringList>

class CAdoConn;

// The fifteen texts of a periodical copy that librarians type, in the order of qikaninfo
// columns 1 to 15.
using PeriodicalValues = QStringList;

// Positions in PeriodicalValues.
enum PeriodicalField {
    kPdBarcode, kPdNumber, kPdClassNo, kPdClassName, kPdCopyNo, kPdTitle, kPdPostCode, kPdPublisher,
    kPdIssue, kPdTotalIssue, kPdPubDate, kPdIssn, kPdPrice, kPdShelf, kPdEntryDate, kPdFieldCount
};

// Stores, overwrites, finds and deletes periodical copies (qikaninfo) for the entry window
// and the search page. 是否借出 is never written here: only lending and returning set it.
class PeriodicalStore {
public:
    explicit PeriodicalStore(CAdoConn& conn) : m_conn(conn) {}

    // The first complaint about a form before it is stored, or empty when it may be stored.
    static QString checkEntry(const PeriodicalValues& values);
    // The stock list's columns (entry window and search page), and their texts of the
    // recordset's current qikaninfo row: fields 1 to 16, the stored 是否借出 shown as "未借"
    // for "0", "借出" for "-1", anything else as it is.
    static QString listHeadings();
    static QStringList listRow(const CAdoRecordset& rs);

    // Whether a copy with this number is stored. Throws DbError when the database fails.
    bool exists(const QString& number);
    // Adds a copy from the non-empty texts; the entry date is written "YYYY-MM-DD", the
    // publication date as typed. False when the database refuses it.
    bool insert(PeriodicalValues values);
    // Writes the non-empty texts over the copy stored under values[kPdNumber]; the others
    // keep what is stored. False when no copy has that number or the database refuses.
    bool overwrite(PeriodicalValues values);
    // Deletes the copy unless it is lent (by its flag or by a loan row); Missing when no
    // copy has that number (any more).
    DeleteOutcome remove(const QString& number);
    // Copies whose barcode or number is the text or whose title, publisher or postal code
    // contains it; every copy for an empty text; in the order they were stored.
    RecordsetPtr search(const QString& text);

    // Copies, lent or not, whose number or barcode is the key or whose title or postal code
    // contains it, in the order they were stored: what the lending window offers. Throws
    // DbError when the database fails.
    RecordsetPtr findForLending(const QString& key);
    // Copies whose title contains the text or whose number is the text: the cancel window's
    // list after a cancel. A failed query gives a recordset that is not open.
    RecordsetPtr byTitleOrNumber(const QString& text);
    // The copy with this number (none or one). Throws DbError when the database fails.
    RecordsetPtr byNumber(const QString& number);

    static const QStringList& columnNames();

private:
    CAdoConn& m_conn;
};
