#pragma once

#include "circulation/LendingService.h"

#include <QList>
#include <QString>

class CAdoConn;

// One row of jieyue_yuyue: a book reserved by a reader.
struct Reservation {
    QString bookNumber;
    QString title;
    QString readerNumber;
    QString readerName;
    QString shelf;
    QString reservedAt;
    QString isbn;
};

// Turns reservations into loans. Database failures throw DbError.
class ReservationDesk {
public:
    ReservationDesk(CAdoConn& conn, QString operatorName);

    QList<Reservation> all() const;
    QList<Reservation> ofReader(const QString& readerNumber) const;
    // Reservations whose book or reader number is the key, or whose title or reader's
    // name contains it.
    QList<Reservation> search(const QString& key) const;

    // Lends the reserved copy to the reader (whatever his loan limit, without a price, under
    // the name the reservation gives) and deletes his reservation of it, in one transaction:
    // any failure changes nothing.
    LendingService::Outcome lend(const ReaderCard& reader, const Reservation& reservation);
    // Deletes every reservation and puts every reserved copy back in stock, in one transaction.
    void clearAll();

private:
    QList<Reservation> select(const QString& condition, const QVariantList& params) const;

    CAdoConn& m_conn;
    QString m_operator;
};
