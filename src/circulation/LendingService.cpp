#include "circulation/LendingService.h"

#include "catalogue/StockMover.h"

#include "db/LikePattern.h"
#include "db/Statements.h"
#include "core/Clock.h"
#include "core/DateText.h"
#include "db/AdoConn.h"

#include <QRegularExpression>

#include <algorithm>
#include <climits>

namespace {

const QString kCopyColumns = QStringLiteral("图书编号, 书名, 著译者, 出版处, 单价, 书架名称, 是否借出, 条形码");
const QString kFreshCount = QStringLiteral(
    "(select count(*) from jieyueinfo where 读者编号=?) + (select count(*) from qkjieyueinfo where 读者编号=?)");
// The items a row of readerinfo has on loan now.
const QString kLoansOfReaderRow = QStringLiteral(
    "(select count(*) from jieyueinfo j where j.读者编号=readerinfo.编号) + "
    "(select count(*) from qkjieyueinfo q where q.读者编号=readerinfo.编号)");
// The reader with the items he has on loan now, whatever 未还书数 says.
const QString kReaderColumns =
    QStringLiteral("编号, 姓名, 性别, 类别, 借书期限, 部门, ") + kLoansOfReaderRow + QStringLiteral(", 借阅数量限制");

ReaderCard readerFrom(const CAdoRecordset& rs)
{
    return {rs.GetCollect(0), rs.GetCollect(1), rs.GetCollect(2), rs.GetCollect(3),
            rs.GetCollect(4), rs.GetCollect(5), rs.GetCollect(6), rs.GetCollect(7)};
}

QList<BookCopy> copiesFrom(CAdoRecordset& rs)
{
    QList<BookCopy> copies;
    for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext()) {
        const QString flag = rs.GetCollect(6);
        copies.append({rs.GetCollect(0), rs.GetCollect(1), rs.GetCollect(2), rs.GetCollect(3), rs.GetCollect(4),
                       rs.GetCollect(5), flag == QLatin1String("0") ? QStringLiteral("未借") : QStringLiteral("已借"),
                       rs.GetCollect(7)});
    }
    return copies;
}

// What a history row carries besides the action and the date.
struct HistorySubject {
    QString bookNumber;
    QString title;
    QString readerNumber;
    QString readerName;
    QString readerType;
    QString dept;
};

// Inserts a row naming the columns given, their values in the same order.
void insertRow(CAdoConn& conn, const QString& table, const QStringList& columns, const QVariantList& values)
{
    const QStringList marks(columns.size(), QStringLiteral("?"));
    executeOrThrow(conn,
                   QStringLiteral("insert into %1 (%2) values (%3)")
                       .arg(table, columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
                   values);
}

void writeHistory(CAdoConn& conn, const LoanTables& tables, const HistorySubject& s, const QString& action,
                  const QString& date, const QString& operatorName)
{
    QStringList columns{tables.stock->key, tables.stock->titleColumn, QStringLiteral("读者编号"), QStringLiteral("读者姓名"),
                        QStringLiteral("读者类别"), QStringLiteral("操作性质"), QStringLiteral("操作时间"), QStringLiteral("操作员")};
    QVariantList values{s.bookNumber, s.title, s.readerNumber, s.readerName, s.readerType, action, date, operatorName};
    if (tables.bookColumns) {
        columns << QStringLiteral("部门");
        values << s.dept;
    }
    insertRow(conn, tables.history, columns, values);
}

} // namespace

const LoanTables& LoanTables::books()
{
    static const LoanTables tables{&StockTables::books(), 1, QStringLiteral("jieyuelishiinfo"), true, QString()};
    return tables;
}

const LoanTables& LoanTables::periodicals()
{
    static const LoanTables tables{&StockTables::periodicals(), -1, QStringLiteral("qkjieyuelishiinfo"), false,
                                   QStringLiteral("diushiqikaninfo"), true};
    return tables;
}

int leadingInteger(const QString& text)
{
    static const QRegularExpression leading(QStringLiteral("^\\s*([+-]?\\d+)"));
    const QRegularExpressionMatch m = leading.match(text);
    if (!m.hasMatch())
        return 0;
    bool ok = false;
    const qlonglong value = m.captured(1).toLongLong(&ok);
    if (!ok)
        return 0;
    return static_cast<int>(std::clamp<qlonglong>(value, INT_MIN, INT_MAX));
}

LendingService::LendingService(CAdoConn& conn, QString operatorName, const LoanTables& tables)
    : m_conn(conn), m_operator(std::move(operatorName)), m_tables(tables)
{
}

std::optional<ReaderCard> LendingService::findReader(const QString& input) const
{
    if (std::optional<ReaderCard> exact = readerByNumber(input))
        return exact;
    RecordsetPtr rs = openOrThrow(m_conn,
                                  QStringLiteral("select %1 from readerinfo where 姓名 like ? escape '\\' "
                                                 "order by rowid limit 1").arg(kReaderColumns),
                                  {containsPattern(input)});
    if (rs->IsEOF())
        return std::nullopt;
    return readerFrom(*rs);
}

std::optional<ReaderCard> LendingService::readerByNumber(const QString& number) const
{
    RecordsetPtr rs =
        openOrThrow(m_conn, QStringLiteral("select %1 from readerinfo where 编号=?").arg(kReaderColumns), {number});
    if (rs->IsEOF())
        return std::nullopt;
    return readerFrom(*rs);
}

QList<BookCopy> LendingService::findInStock(const QString& key) const
{
    RecordsetPtr rs = openOrThrow(
        m_conn,
        QStringLiteral("select %1 from bkinfo where (图书编号=? or 条形码=? or 书名 like ? escape '\\') "
                       "and 是否借出=0 order by ID").arg(kCopyColumns),
        {key, key, containsPattern(key)});
    return copiesFrom(*rs);
}

QList<BookCopy> LendingService::copyInStock(const QString& bookNumber) const
{
    RecordsetPtr rs = openOrThrow(
        m_conn, QStringLiteral("select %1 from bkinfo where 图书编号=? and 是否借出=0").arg(kCopyColumns), {bookNumber});
    return copiesFrom(*rs);
}

QList<Loan> LendingService::loansOf(const QString& readerNumber) const
{
    const StockTables& t = *m_tables.stock;
    RecordsetPtr rs = openOrThrow(m_conn,
                                  QStringLiteral("select %1, %2, 图书价格, 读者编号, 读者姓名, 借书日期, "
                                                 "应还时间, 操作员, 条形码 from %3 where 读者编号=? order by ID")
                                      .arg(t.key, t.titleColumn, t.loans),
                                  {readerNumber});
    QList<Loan> loans;
    for (; !rs->IsEOF(); rs->MoveNext()) {
        const QStringList f = rs->GetRowTexts();
        loans.append({f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8]});
    }
    return loans;
}

bool LendingService::holds(const QString& number) const
{
    const StockTables& t = *m_tables.stock;
    return !openOrThrow(m_conn, QStringLiteral("select 1 from %1 where %2=? limit 1").arg(t.stock, t.key), {number})
                ->IsEOF();
}

QString LendingService::borrowerOf(const QString& bookNumber) const
{
    RecordsetPtr rs = openOrThrow(
        m_conn,
        QStringLiteral("select 读者编号 from %1 where %2=? order by ID limit 1").arg(m_tables.stock->loans, m_tables.stock->key),
        {bookNumber});
    return rs->IsEOF() ? QString() : rs->GetCollect(0);
}

int LendingService::loanCount(const QString& readerNumber) const
{
    RecordsetPtr rs = openOrThrow(m_conn, QStringLiteral("select ") + kFreshCount, {readerNumber, readerNumber});
    return rs->GetValue(0).toInt();
}

bool LendingService::mayBorrow(const ReaderCard& reader, int more) const
{
    return loanCount(reader.number) + more <= leadingInteger(reader.loanLimit);
}

int LendingService::recount(const QString& readerNumber)
{
    executeOrThrow(m_conn, QStringLiteral("update readerinfo set 未还书数=") + kFreshCount + QStringLiteral(" where 编号=?"),
            {readerNumber, readerNumber, readerNumber});
    return loanCount(readerNumber);
}

void LendingService::recountReaders(const QString& condition, const QVariantList& values)
{
    executeOrThrow(m_conn,
                   QStringLiteral("update readerinfo set 未还书数=") + kLoansOfReaderRow
                       + (condition.isEmpty() ? QString() : QStringLiteral(" where ") + condition),
                   values);
}

LendingService::Outcome LendingService::lend(const ReaderCard& reader, const BookCopy& copy, Rules rules)
{
    CTransaction transaction(m_conn);
    if (!transaction.IsActive())
        throw DbError(m_conn.LastError());
    if (!readerByNumber(reader.number))
        return Outcome::NoReader;
    if (rules.enforceLimit && !mayBorrow(reader))
        return Outcome::LimitReached;
    const StockTables& t = *m_tables.stock;
    executeOrThrow(m_conn, QStringLiteral("update %1 set %3=? where %2=? and %3 in (0, ?)").arg(t.stock, t.key, t.flagColumn),
            {m_tables.lentFlag, copy.bookNumber, rules.reservedCopy ? StockTables::reservedFlag : 0});
    if (m_conn.ChangedRows() != 1)
        return holds(copy.bookNumber) ? Outcome::NotAvailable : Outcome::CopyMissing;

    const QDate today = Clock::instance().now().date();
    const QString lendingDate = dateText(today);
    const QVariant price = rules.writePrice ? QVariant(leadingInteger(copy.price)) : QVariant();
    QStringList columns{t.key, t.titleColumn, QStringLiteral("读者编号"), QStringLiteral("读者姓名"), QStringLiteral("读者类别"),
                        QStringLiteral("借书日期"), QStringLiteral("应还时间"), QStringLiteral("图书价格"), QStringLiteral("操作员")};
    QVariantList values{copy.bookNumber, copy.title, reader.number, reader.name, reader.type, lendingDate,
                        dateText(dueDate(today, leadingInteger(reader.loanDays))), price, m_operator};
    if (m_tables.bookColumns) {
        columns << QStringLiteral("条形码") << QStringLiteral("部门");
        values << copy.barcode << reader.dept;
    }
    insertRow(m_conn, t.loans, columns, values);
    writeHistory(m_conn, m_tables, {copy.bookNumber, copy.title, reader.number, reader.name, reader.type, reader.dept},
                 QStringLiteral("图书借阅"), lendingDate, m_operator);
    recount(reader.number);
    if (!transaction.Commit())
        throw DbError(m_conn.LastError());
    return Outcome::Done;
}

LendingService::Outcome LendingService::giveBack(const QString& bookNumber, const std::optional<ReaderCard>& shownReader)
{
    CTransaction transaction(m_conn);
    if (!transaction.IsActive())
        throw DbError(m_conn.LastError());
    const StockTables& t = *m_tables.stock;
    RecordsetPtr rs = openOrThrow(m_conn,
                                  QStringLiteral("select %1, %2, 读者编号, 读者姓名, 读者类别, %3 from %4 where %1=? order by ID")
                                      .arg(t.key, t.titleColumn,
                                           m_tables.bookColumns ? QStringLiteral("部门") : QStringLiteral("''"), t.loans),
                                  {bookNumber});
    QList<HistorySubject> loans;
    for (; !rs->IsEOF(); rs->MoveNext()) {
        const QStringList f = rs->GetRowTexts();
        loans.append({f[0], f[1], f[2], f[3], f[4], f[5]});
    }
    executeOrThrow(m_conn, QStringLiteral("delete from %1 where %2=?").arg(t.loans, t.key), {bookNumber});
    if (loans.isEmpty() || m_conn.ChangedRows() == 0)
        return Outcome::NotOnLoan;

    HistorySubject returned = loans.first();
    if (shownReader) {
        returned.readerNumber = shownReader->number;
        returned.readerName = shownReader->name;
        returned.readerType = shownReader->type;
        returned.dept = shownReader->dept;
    }
    writeHistory(m_conn, m_tables, returned, QStringLiteral("图书归还"), todayText(), m_operator);
    // Every borrower's count, not only the shown reader's: a list shown before another desk
    // lent the copy again names the wrong reader.
    QStringList counted{returned.readerNumber};
    for (const HistorySubject& loan : loans)
        if (!counted.contains(loan.readerNumber))
            counted << loan.readerNumber;
    for (const QString& reader : counted)
        recount(reader);
    executeOrThrow(m_conn,
                   QStringLiteral("update %1 set %3=%4 where %2=?1").arg(t.stock, t.key, t.flagColumn, t.backInStockFlag()),
                   {bookNumber});
    const bool copyFound = m_conn.ChangedRows() > 0;
    if (!transaction.Commit())
        throw DbError(m_conn.LastError());
    return copyFound ? Outcome::Done : Outcome::CopyMissing;
}

LendingService::Outcome LendingService::reportLost(const QString& bookNumber, const QString& readerNumber)
{
    CTransaction transaction(m_conn);
    if (!transaction.IsActive())
        throw DbError(m_conn.LastError());
    if (m_tables.lossNeedsReader && !readerByNumber(readerNumber))
        return Outcome::NoReader;
    const StockTables& t = *m_tables.stock;
    RecordsetPtr loan = openOrThrow(
        m_conn,
        QStringLiteral("select 读者姓名, ID from %1 where %2=? and 读者编号=? order by ID limit 1").arg(t.loans, t.key),
        {bookNumber, readerNumber});
    if (loan->IsEOF())
        return Outcome::NotOnLoan;
    if (m_tables.readerLosses.isEmpty()) {
        StockMover mover(m_conn, t, m_operator);
        if (mover.moveToLossForReader(bookNumber, readerNumber, loan->GetCollect(0)) != StockMover::Outcome::Done)
            return Outcome::CopyMissing;
    } else {
        executeOrThrow(m_conn,
                       QStringLiteral("insert into %1 (%2, %3, 读者编号, 读者姓名, 挂失日期, 期刊价格, 操作员) "
                                      "select %2, %3, 读者编号, 读者姓名, ?, 图书价格, 操作员 from %4 where ID=?")
                           .arg(m_tables.readerLosses, t.key, t.titleColumn, t.loans),
                       {todayText(), loan->GetValue(1)});
    }

    RecordsetPtr borrowerRows = openOrThrow(
        m_conn, QStringLiteral("select distinct 读者编号 from %1 where %2=?").arg(t.loans, t.key), {bookNumber});
    QStringList borrowers;
    for (; !borrowerRows->IsEOF(); borrowerRows->MoveNext())
        borrowers << borrowerRows->GetCollect(0);
    executeOrThrow(m_conn, QStringLiteral("delete from %1 where %2=?").arg(t.loans, t.key), {bookNumber});
    for (const QString& reader : borrowers)
        recount(reader);
    if (!transaction.Commit())
        throw DbError(m_conn.LastError());
    return Outcome::Done;
}

QDate LendingService::dueDate(const QDate& lendingDate, int loanDays) { return lendingDate.addDays(loanDays); }
