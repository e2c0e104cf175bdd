#pragma once

#include "db/DatabaseBackup.h"

#include <QString>

class CAdoConn;

// Puts the backup in `path` back into the open database: checks it, keeps a copy of the
// open database in `safetyCopy`, then copies the backup's pages into the open connection
// in one write transaction. The backup must be a sound SQLite file of ours (application id,
// a format version not above the open one's) holding every table of the open database with
// the same columns in the same order; it is only read. A refusal, a failed safety copy, a
// failure or a stop on the way leave the open database as it was. False with the reason in
// `error`.
bool restoreDatabase(CAdoConn& live, const QString& path, const QString& safetyCopy, const CopyProgress& progress,
                     QString* error);
