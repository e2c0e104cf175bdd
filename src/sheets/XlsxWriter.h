#pragma once

#include "sheets/Sheet.h"

#include <QString>

// Writes sheets as an .xlsx workbook through libxlsxwriter in constant-memory mode: rows
// go to the file as they come, so a large export holds no second copy. The sheets must
// fit the format (limitError). False with the reason in `error`.
bool writeXlsx(const QString& path, const SheetList& sheets, QString* error);
