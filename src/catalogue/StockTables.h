#pragma once

#include <QList>
#include <QString>

class CAdoConn;

// Where copies go when they leave the stock.
enum class OutKind { Loss, WeedOut };

// A table that copies leave the stock for: columns 1-15 repeat the stock table's, then
// come its own columns (reader and date, or date only).
struct OutTable {
    QString name;
    QString titleColumn;
    QString dateColumn;
};

// The tables of one kind of copy (books or periodicals) that losses, weed-outs and cancels
// work on. Every name here is fixed by the program; none comes from the user.
struct StockTables {
    QString stock;
    QString key;
    QString titleColumn;
    QString flagColumn;
    // Flag values of a copy that is lent or reserved. None for periodicals: a periodical a
    // reader lost keeps its lent flag without a loan, and the library may still report it
    // lost, weed it out or cancel it; its loan rows alone tell a periodical on loan.
    QList<int> outFlags;
    int inStockFlag = 0;     // the flag of a copy free to lend
    QString loans;           // loan rows naming the copy by `key`
    QString reservations;    // reservation rows naming the copy; empty when there are none
    OutTable loss;
    OutTable weedOut;

    // The flag of a book copy that a reader reserved.
    static constexpr int reservedFlag = 2;

    static const StockTables& books();
    static const StockTables& periodicals();

    const OutTable& out(OutKind kind) const { return kind == OutKind::Loss ? loss : weedOut; }
    // Whether the copy is lent or reserved: by its flag (one of outFlags), a loan row or a
    // reservation row.
    // Throws DbError when the database fails.
    bool isOut(CAdoConn& conn, const QString& number) const;
    // The flag of a copy that comes back into stock, as SQL on its number (?1): reserved
    // while a reservation of it remains, so that it stays the reader's; else free to lend.
    QString backInStockFlag() const;
};
