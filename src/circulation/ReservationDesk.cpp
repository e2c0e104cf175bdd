#include "circulation/ReservationDesk.h"

#include "db/AdoConn.h"
#include "db/LikePattern.h"
#include "db/Statements.h"

ReservationDesk::ReservationDesk(CAdoConn& conn, QString operatorName)
    : m_conn(conn), m_operator(std::move(operatorName))
{
}

QList<Reservation> ReservationDesk::select(const QString& condition, const QVariantList& params) const
{
    RecordsetPtr rs = openOrThrow(m_conn,
                                  QStringLiteral("select 图书编号, 图书名称, 读者编号, 读者姓名, 书架名称, 预借时间, ISBN码 "
                                                 "from jieyue_yuyue %1 order by rowid").arg(condition),
                                  params);
    QList<Reservation> rows;
    for (; !rs->IsEOF(); rs->MoveNext()) {
        const QStringList f = rs->GetRowTexts();
        rows.append({f[0], f[1], f[2], f[3], f[4], f[5], f[6]});
    }
    return rows;
}

QList<Reservation> ReservationDesk::all() const { return select({}, {}); }

QList<Reservation> ReservationDesk::ofReader(const QString& readerNumber) const
{
    return select(QStringLiteral("where 读者编号=?"), {readerNumber});
}

QList<Reservation> ReservationDesk::search(const QString& key) const
{
    const QString pattern = containsPattern(key);
    return select(QStringLiteral("where 图书编号=? or 读者编号=? or 图书名称 like ? escape '\\' "
                                 "or 读者姓名 like ? escape '\\'"),
                  {key, key, pattern, pattern});
}

LendingService::Outcome ReservationDesk::lend(const ReaderCard& reader, const Reservation& reservation)
{
    CTransaction transaction(m_conn);
    if (!transaction.IsActive())
        throw DbError(m_conn.LastError());
    BookCopy copy;
    copy.bookNumber = reservation.bookNumber;
    copy.title = reservation.title;
    copy.barcode = reservation.isbn;
    // The loan names the reader as his reservation does; his type and department are the card's.
    ReaderCard borrower = reader;
    borrower.name = reservation.readerName;
    const LendingService::Outcome outcome =
        LendingService(m_conn, m_operator).lend(borrower, copy, LendingService::Rules::forReservation());
    if (outcome != LendingService::Outcome::Done)
        return outcome;
    executeOrThrow(m_conn, QStringLiteral("delete from jieyue_yuyue where 图书编号=? and 读者编号=?"),
                   {reservation.bookNumber, reader.number});
    if (!transaction.Commit())
        throw DbError(m_conn.LastError());
    return outcome;
}

void ReservationDesk::clearAll()
{
    CTransaction transaction(m_conn);
    if (!transaction.IsActive())
        throw DbError(m_conn.LastError());
    executeOrThrow(m_conn, QStringLiteral("delete from jieyue_yuyue"));
    executeOrThrow(m_conn, QStringLiteral("update bkinfo set 是否借出=0 where 是否借出=2"));
    if (!transaction.Commit())
        throw DbError(m_conn.LastError());
}
