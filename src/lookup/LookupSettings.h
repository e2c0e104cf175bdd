#pragma once

#include <QString>

// Where the online ISBN lookup asks: setup.ini [Lookup] opac, review and secondhand hold
// each service's base address (scheme, host and port; empty: the service is not offered),
// timeout the seconds a request may take.
struct LookupSettings {
    QString opac;
    QString review;
    QString secondhand;
    int timeout = 10;

    bool anyOffered() const { return !opac.isEmpty() || !review.isEmpty() || !secondhand.isEmpty(); }
    static LookupSettings read(const QString& iniPath = QStringLiteral("setup.ini"));
};
