#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QVariant>

#include <optional>

class CAdoConn;
struct StockTables;

// A reader as the circulation desk needs him, texts as stored; lentCount is the number of
// items he has on loan now.
struct ReaderCard {
    QString number;
    QString name;
    QString sex;
    QString type;
    QString loanDays;
    QString dept;
    QString lentCount;
    QString loanLimit;
};

// One copy of a book as the lending lists show it.
struct BookCopy {
    QString bookNumber;
    QString title;
    QString author;
    QString publisher;
    QString price;
    QString shelf;
    QString lentFlag;
    QString barcode;
};

// One loan row (jieyueinfo or qkjieyueinfo); bookNumber is the item's number, whatever it is.
struct Loan {
    QString bookNumber;
    QString title;
    QString price;
    QString readerNumber;
    QString readerName;
    QString lendingDate;
    QString dueDate;
    QString operatorName;
    QString barcode;
};

// The leading whole number of a text, as counts and prices are read: blanks, an optional
// sign and digits; anything else (an empty text too) reads as 0.
int leadingInteger(const QString& text);

// The tables one kind of item (books or periodicals) is lent through: its stock and loan
// tables as the loss moves know them, its history, and what the rows of that kind carry.
// The item's number and title have the same column names in the stock, loan and history
// tables. Every name is fixed by the program.
struct LoanTables {
    const StockTables* stock = nullptr;
    int lentFlag = 1;       // 是否借出 of an item on loan (in stock: 0)
    QString history;
    bool bookColumns = true;  // loan and history rows carry the reader's 部门, loan rows the 条形码
    // Where a kind keeps a record of each loss by a reader (期刊价格 = the loan's price), that
    // record is the loss: the item stays in stock as it is, flagged lent. Empty: the item
    // itself moves to the loss table under the reader.
    QString readerLosses;
    // A loss is recorded only for a registered reader; else under the loan's reader number
    // and name, as loans brought in from elsewhere may name readers never registered here.
    bool lossNeedsReader = false;

    static const LoanTables& books();
    static const LoanTables& periodicals();
};

// Lending and returning of book copies or periodicals, as the tables say. Each lend and
// each return is one transaction, so a failure at any step leaves every table as it was;
// database failures throw DbError. Callers may wrap a call in a CTransaction of their own
// (it nests) to add steps of theirs.
class LendingService {
public:
    enum class Outcome { Done, NoReader, LimitReached, NotAvailable, NotOnLoan, CopyMissing };

    struct Rules {
        bool enforceLimit = true;   // refuse a reader at his loan limit (fresh count)
        bool reservedCopy = false;  // the copy may be reserved (是否借出 2) as well as in stock
        bool writePrice = true;     // 图书价格 = the price's whole part; else left NULL
        // A reserved book: lent whatever the limit, without a price.
        static Rules forReservation() { return {false, true, false}; }
    };

    LendingService(CAdoConn& conn, QString operatorName, const LoanTables& tables = LoanTables::books());

    // The reader whose number is the input, else the first whose name contains it.
    std::optional<ReaderCard> findReader(const QString& input) const;
    std::optional<ReaderCard> readerByNumber(const QString& number) const;

    // Book copies in stock whose number or barcode is the key, or whose title contains it.
    QList<BookCopy> findInStock(const QString& key) const;
    // The book copy with this number when it is in stock (none or one).
    QList<BookCopy> copyInStock(const QString& bookNumber) const;
    QList<Loan> loansOf(const QString& readerNumber) const;
    // Whether the catalogue holds a copy of that number, in stock or not.
    bool holds(const QString& number) const;
    // The reader number of the copy's loan; empty when it is not on loan.
    QString borrowerOf(const QString& bookNumber) const;

    // Items the reader has on loan now: his rows in jieyueinfo and qkjieyueinfo.
    int loanCount(const QString& readerNumber) const;
    // Whether the reader may take `more` items within his loan limit, by the fresh count.
    bool mayBorrow(const ReaderCard& reader, int more = 1) const;
    // Writes the fresh count into readerinfo.未还书数 and returns it.
    int recount(const QString& readerNumber);
    // Writes the fresh count of every reader the condition on readerinfo selects (every
    // reader without one), in one statement; its values are bound.
    void recountReaders(const QString& condition = {}, const QVariantList& values = {});

    // Lends the copy (bookNumber, title, price and, for books, barcode are read): loan row,
    // history row, the reader's count and the copy's flag.
    // NoReader when the reader was deleted meanwhile; NotAvailable when the copy is no
    // longer in stock (lent meanwhile, or listed twice); CopyMissing when the catalogue
    // holds no copy of that number.
    Outcome lend(const ReaderCard& reader, const BookCopy& copy, Rules rules);
    Outcome lend(const ReaderCard& reader, const BookCopy& copy) { return lend(reader, copy, Rules()); }
    // Takes the copy back from whoever borrowed it: deletes its loan rows, writes one history
    // row, recounts the borrowers and the reader shown, and puts the copy in stock, reserved
    // (是否借出 2) while a reservation of it remains. The history row names the reader shown
    // at the desk; with none shown (a borrower who is not registered here), the loan's reader.
    // NotOnLoan changes nothing.
    // CopyMissing: the loan is closed, but the catalogue holds no copy of that number.
    Outcome giveBack(const QString& bookNumber, const std::optional<ReaderCard>& shownReader = std::nullopt);
    // The reader lost the copy he borrowed: the loss is recorded (see LoanTables::readerLosses),
    // every loan row of the copy goes and each borrower is recounted; no history row.
    // NoReader when the tables want a registered reader and he is not; NotOnLoan when that
    // loan is gone. Where the copy moves to the loss table, CopyMissing (nothing written) when
    // the catalogue holds no copy of that number, a loan that returning closes; where a
    // record is kept, the stock is not looked at.
    Outcome reportLost(const QString& bookNumber, const QString& readerNumber);

    // The lending date plus the loan period in calendar days.
    static QDate dueDate(const QDate& lendingDate, int loanDays);

private:
    CAdoConn& m_conn;
    QString m_operator;
    const LoanTables& m_tables;
};
