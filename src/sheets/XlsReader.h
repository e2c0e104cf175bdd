#pragma once

#include "sheets/Sheet.h"

#include <QString>

// Reads every worksheet of an .xls workbook (BIFF5/BIFF8 in a compound file): RK, MULRK
// and NUMBER cells as numbers, date-formatted cells as dates shown as their format shows
// them, shared strings whatever their code page, rich-text runs and phonetic parts, and the
// result a spreadsheet program saved with each formula (number, text, boolean, error).
// False with the reason in `error`, and no sheets, when the file is no readable workbook
// or would take more memory than its ReadBudget allows; every length in the file is
// checked, since libraries that trust them fall over on damaged files.
bool readXls(const QString& path, Workbook* workbook, QString* error);
