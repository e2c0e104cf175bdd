#pragma once

#include "sheets/Sheet.h"

#include <QByteArray>
#include <QString>

class ReadBudget;

// Delimited text files. The program writes every cell quoted, inner quotes doubled, each row
// with the cells it has, ended by CR LF, in GB18030. The separator may be any text; one that
// is empty or holds a quote or a line break would make the rows unreadable, and a comma
// stands in for it.
//
// Reading takes what other programs write as well: unquoted cells, LF or CR LF, separators,
// quotes and line breaks inside quoted cells, trailing empty cells; UTF-8 (a byte-order mark
// dropped) when the bytes are valid UTF-8, else GB18030. A file with a quote where that
// format has none, such as a quote inside a quoted cell that is not doubled (older
// installations wrote their rows so), is read line by line as they read it: a line holding a
// quote, the separator and a quote is cut there and loses its outer quotes; any other line
// is cut at the separator, its cells keeping their quotes; a line without separator is one
// cell, without the quotes around it. A file that reads both ways is read as the program
// writes: two quotes side by side inside a quoted cell are one quote.
bool writeDelimited(const QString& path, const SheetSource& sheet, const QString& separator, QString* error);
// The rows and cells take memory from the budget (the decoded text too); when it is spent
// the rows read so far come back and `budget.exceeded()` says so. Without a budget, one
// for the bytes' own size.
Sheet parseDelimited(const QByteArray& bytes, const QString& separator, ReadBudget& budget);
Sheet parseDelimited(const QByteArray& bytes, const QString& separator);
// One row as it stands in the file, without its line end.
QString delimitedRow(const CellRow& cells, const QString& separator);
