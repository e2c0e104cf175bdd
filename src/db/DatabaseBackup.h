#pragma once

#include <QString>

class CAdoConn;

// Copies the open local database to a file through SQLite's online backup, so the copy
// is consistent even while the program (or another connection) writes. The copy goes to
// a temporary file first and is renamed over the target, so a failure never leaves a
// half-written backup and keeps the old one; the target's folder is created when missing.
// The copy is readable by its owner only, as the database is. While another connection
// holds the database, the backup waits no longer than the connection's busy timeout.
bool backupDatabase(const CAdoConn& conn, const QString& targetPath, QString* error);
