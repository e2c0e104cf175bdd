#pragma once

#include <QString>

#include <functional>

class CAdoConn;
struct sqlite3;

// Told after every step of a copy: the pages copied so far and the pages in all. Returning
// false stops the copy, which then changes nothing.
using CopyProgress = std::function<bool(int done, int total)>;

// Copies the open local database to a file through SQLite's online backup, so the copy
// is consistent even while the program (or another connection) writes. The copy goes to
// a temporary file first and is renamed over the target, so a failure never leaves a
// half-written backup and keeps the old one; the target's folder is created when missing.
// The copy is readable by its owner only, as the database is. While another connection
// holds the database, the backup waits no longer than the connection's busy timeout.
bool backupDatabase(const CAdoConn& conn, const QString& targetPath, QString* error,
                    const CopyProgress& progress = {});

// Copies every page of `source` into `target` a few at a time, in one write transaction of
// the target: a failure or a stop rolls the target back as it was. Waits for a lock held
// elsewhere at most `waitLimitMs` at a time. False with the reason in `error`.
bool copyDatabasePages(sqlite3* source, sqlite3* target, int waitLimitMs, const CopyProgress& progress,
                       QString* error);

// The wait a statement of this connection would grant a lock held elsewhere.
int busyTimeoutMs(sqlite3* db);
