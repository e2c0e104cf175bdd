#pragma once

#include "sheets/Sheet.h"

#include <QString>

// Reads every sheet of an .xls workbook (BIFF5/BIFF8 in a compound file) through freexl:
// RK, MULRK and NUMBER cells as numbers, date-formatted cells as dates, shared strings
// whatever their code page, rich-text runs and phonetic parts. False with the reason in
// `error` when the file is no readable workbook.
bool readXls(const QString& path, Workbook* workbook, QString* error);
