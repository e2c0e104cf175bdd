#pragma once

#include <QString>

class CAdoConn;

// The single row of tushuguaninfo: the library's name (the main window's caption), the
// person in charge, the address and the postcode.
struct LibraryInfo {
    QString name;
    QString manager;
    QString address;
    QString postcode;
};

// Reads the first row; false when the table has none. Throws DbError when it cannot read.
bool loadLibraryInfo(CAdoConn& conn, LibraryInfo& info);
// Writes into the first row; false when that fails or there is no row (none is added).
bool saveLibraryInfo(CAdoConn& conn, const LibraryInfo& info);
