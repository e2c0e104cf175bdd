#include "catalogue/StockMover.h"

#include "core/DateText.h"
#include "db/AdoConn.h"
#include "db/Statements.h"

namespace {
// Columns 1-15: what a copy carries from table to table.
constexpr int kFirstCopied = 1;
constexpr int kLastCopied = 15;

QString quoted(QString name) { return QLatin1Char('"') + name.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"'); }

void commitOrThrow(CTransaction& transaction, CAdoConn& conn)
{
    if (!transaction.Commit())
        throw DbError(conn.LastError());
}
}

StockMover::StockMover(CAdoConn& conn, const StockTables& tables, QString operatorName)
    : m_conn(conn), m_tables(tables), m_operator(std::move(operatorName))
{
}

StockMover::Outcome StockMover::reportLost(const QString& number)
{
    return leaveStock(number, m_tables.loss.name,
                      {QStringLiteral("9999"), QStringLiteral("system"), todayText(), m_operator}, true);
}

StockMover::Outcome StockMover::weedOut(const QString& number)
{
    return leaveStock(number, m_tables.weedOut.name, {todayText(), m_operator}, true);
}

StockMover::Outcome StockMover::moveToLossForReader(const QString& number, const QString& readerNumber,
                                                    const QString& readerName)
{
    return leaveStock(number, m_tables.loss.name, {readerNumber, readerName, todayText(), m_operator}, false);
}

StockMover::Outcome StockMover::leaveStock(const QString& number, const QString& target, const QVariantList& extras,
                                           bool checkOut)
{
    CTransaction transaction(m_conn);
    if (!transaction.IsActive())
        throw DbError(m_conn.LastError());
    if (checkOut && m_tables.isOut(m_conn, number))
        return Outcome::OnLoan;
    RecordsetPtr copy = openOrThrow(
        m_conn, QStringLiteral("select rowid from %1 where %2=? order by rowid limit 1").arg(m_tables.stock, m_tables.key),
        {number});
    if (copy->IsEOF())
        return Outcome::NotInStock;
    const qint64 rowId = copy->GetValue(0).toLongLong();

    QVariantList params = extras;
    params << rowId;
    executeOrThrow(m_conn,
                   QStringLiteral("insert into %1 (%2) select %3, %4 from %5 where rowid=?")
                       .arg(target, columnList(target, kFirstCopied, kLastCopied + extras.size()),
                            columnList(m_tables.stock, kFirstCopied, kLastCopied), placeholders(extras.size()),
                            m_tables.stock),
                   params);
    executeOrThrow(m_conn, QStringLiteral("delete from %1 where rowid=?").arg(m_tables.stock), {rowId});
    if (m_conn.ChangedRows() != 1)
        throw DbError(QStringLiteral("copy %1 was not removed from stock").arg(number));
    commitOrThrow(transaction, m_conn);
    return Outcome::Done;
}

StockMover::Outcome StockMover::restore(OutKind kind, qint64 rowId)
{
    const QString source = m_tables.out(kind).name;
    CTransaction transaction(m_conn);
    if (!transaction.IsActive())
        throw DbError(m_conn.LastError());
    RecordsetPtr row = openOrThrow(m_conn, QStringLiteral("select %1 from %2 where rowid=?").arg(m_tables.key, source),
                                   {rowId});
    if (row->IsEOF())
        return Outcome::NoSuchRow;
    RecordsetPtr stocked = openOrThrow(
        m_conn, QStringLiteral("select 1 from %1 where %2=?").arg(m_tables.stock, m_tables.key), {row->GetValue(0)});
    if (!stocked->IsEOF())
        return Outcome::AlreadyInStock;

    executeOrThrow(m_conn,
                   QStringLiteral("insert into %1 (%2) select %3, %5 from %4 where rowid=?2")
                       .arg(m_tables.stock, columnList(m_tables.stock, kFirstCopied, kLastCopied + 1),
                            columnList(source, kFirstCopied, kLastCopied), source, m_tables.backInStockFlag()),
                   {row->GetValue(0), rowId});
    executeOrThrow(m_conn, QStringLiteral("delete from %1 where rowid=?").arg(source), {rowId});
    if (m_conn.ChangedRows() != 1)
        throw DbError(QStringLiteral("row %1 was not removed from %2").arg(rowId).arg(source));
    commitOrThrow(transaction, m_conn);
    return Outcome::Done;
}

const QStringList& StockMover::columns(const QString& table)
{
    auto known = m_columns.find(table);
    if (known != m_columns.end())
        return *known;
    RecordsetPtr info = openOrThrow(m_conn, QStringLiteral("select name from pragma_table_info(?) order by cid"), {table});
    QStringList names;
    for (; !info->IsEOF(); info->MoveNext())
        names << info->GetCollect(0);
    return *m_columns.insert(table, names);
}

QString StockMover::columnList(const QString& table, int first, int last)
{
    const QStringList& names = columns(table);
    if (names.size() <= last)
        throw DbError(QStringLiteral("%1 has no column %2").arg(table).arg(last));
    QStringList list;
    for (int position = first; position <= last; ++position)
        list << quoted(names[position]);
    return list.join(QStringLiteral(", "));
}
