#pragma once

#include "sheets/Sheet.h"

#include <QByteArray>
#include <QChar>
#include <QString>

// Delimited text files: every cell quoted, inner quotes doubled, rows ended by CR LF,
// written in GB18030. Reading takes what other programs write as well: unquoted cells,
// LF or CR LF, separators, quotes and line breaks inside quoted cells, trailing empty
// cells; UTF-8 (a byte-order mark dropped) when the bytes are valid UTF-8, else GB18030.
bool writeDelimited(const QString& path, const SheetSource& sheet, QChar separator, QString* error);
Sheet parseDelimited(const QByteArray& bytes, QChar separator);
// One row as it stands in the file, without its line end.
QString delimitedRow(const CellRow& cells, QChar separator);
