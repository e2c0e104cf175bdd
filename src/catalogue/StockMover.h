#pragma once

#include "catalogue/StockTables.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariantList>

class CAdoConn;

// Moves a copy between its stock table and the loss or weed-out table, by column position:
// columns 1-15 travel unchanged (NULLs and numbers included), the target's own columns
// after them get the values of the move. Each move is one transaction, nested inside the
// caller's when there is one; database failures throw DbError and change nothing.
class StockMover {
public:
    enum class Outcome {
        Done,
        OnLoan,        // the copy is lent or reserved: the library may not let it go
        NotInStock,    // no copy of that number in stock (any more)
        NoSuchRow,     // the loss or weed-out row is gone
        AlreadyInStock // a copy of that number stands in stock again: no restore
    };

    StockMover(CAdoConn& conn, const StockTables& tables, QString operatorName);

    const StockTables& tables() const { return m_tables; }

    // The library lost the copy: the pseudo-reader "9999"/"system", today, the operator.
    Outcome reportLost(const QString& number);
    // The copy is worn out: today, the operator.
    Outcome weedOut(const QString& number);
    // A reader lost the copy he borrowed: his number and name, today, the operator. No lent
    // test: the caller ends the loan in the same transaction.
    Outcome moveToLossForReader(const QString& number, const QString& readerNumber, const QString& readerName);
    // Puts the loss or weed-out row back into stock, flagged in stock, or reserved while a
    // reservation of the copy remains; the row's own columns go.
    Outcome restore(OutKind kind, qint64 rowId);

private:
    Outcome leaveStock(const QString& number, const QString& target, const QVariantList& extras, bool checkOut);
    // Column names of the table by position, read once from the schema.
    const QStringList& columns(const QString& table);
    // Columns first..last of the table, quoted for SQL.
    QString columnList(const QString& table, int first, int last);

    CAdoConn& m_conn;
    const StockTables& m_tables;
    QString m_operator;
    QMap<QString, QStringList> m_columns;
};
