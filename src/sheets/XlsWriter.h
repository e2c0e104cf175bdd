#pragma once

#include "sheets/Sheet.h"

#include <QString>

// Writes sheets as an .xls workbook: BIFF8 records (texts in the shared string table,
// numbers, dates with a date format) in a compound file. The sheets must fit the format
// (limitError). False with the reason in `error` when a cell is too long or the file
// cannot be written.
bool writeXls(const QString& path, const SheetList& sheets, QString* error);
