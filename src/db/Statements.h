#pragma once

#include "db/AdoRecordset.h"

class CAdoConn;

// Steps of a larger operation: a failure throws DbError, so that the operation's
// transaction rolls back and the window reports it.
RecordsetPtr openOrThrow(CAdoConn& conn, const QString& sql, const QVariantList& params = {});
void executeOrThrow(CAdoConn& conn, const QString& sql, const QVariantList& params = {});

// "?,?,?": the marks for n values bound in order.
QString placeholders(qsizetype n);
