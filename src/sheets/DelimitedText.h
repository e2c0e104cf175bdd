#pragma once

#include "sheets/Sheet.h"

#include <QByteArray>
#include <QChar>
#include <QString>

class ReadBudget;

// Delimited text files: every cell quoted, inner quotes doubled, rows ended by CR LF,
// written in GB18030. Reading takes what other programs write as well: unquoted cells,
// LF or CR LF, separators, quotes and line breaks inside quoted cells, trailing empty
// cells; UTF-8 (a byte-order mark dropped) when the bytes are valid UTF-8, else GB18030.
bool writeDelimited(const QString& path, const SheetSource& sheet, QChar separator, QString* error);
// The rows and cells take memory from the budget (the decoded text too); when it is spent
// the rows read so far come back and `budget.exceeded()` says so. Without a budget, one
// for the bytes' own size.
Sheet parseDelimited(const QByteArray& bytes, QChar separator, ReadBudget& budget);
Sheet parseDelimited(const QByteArray& bytes, QChar separator);
// One row as it stands in the file, without its line end.
QString delimitedRow(const CellRow& cells, QChar separator);
