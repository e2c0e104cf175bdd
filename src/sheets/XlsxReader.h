#pragma once

#include "sheets/Sheet.h"

#include <QString>

// Reads every sheet of an .xlsx workbook with minizip and QXmlStreamReader, the way
// spreadsheet programs write them: sheets found by name through the workbook and its
// relationships, shared strings of several rich-text runs (phonetic parts skipped),
// inline strings, absent empty cells, dates under built-in or custom formats, the 1904
// date system. False with the reason in `error`, and no sheets, when the file is no
// readable workbook or would take more memory than its ReadBudget allows.
bool readXlsx(const QString& path, Workbook* workbook, QString* error);
