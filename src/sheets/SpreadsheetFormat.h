#pragma once

#include "sheets/Sheet.h"

#include <QString>

// What a file is written as, chosen by its name: ".xls" and ".xlsx" in any case are
// workbooks, every other name is delimited text.
enum class SpreadsheetFormat { Xls, Xlsx, Text };

SpreadsheetFormat formatForPath(const QString& path);
inline bool isWorkbookFormat(SpreadsheetFormat format) { return format != SpreadsheetFormat::Text; }

// The most a sheet of each format holds (rows with the header).
constexpr int kXlsMaxRows = 65536;
constexpr int kXlsMaxColumns = 256;
constexpr int kXlsxMaxRows = 1048576;
constexpr int kXlsxMaxColumns = 16384;
constexpr int kMaxSheetName = 31;
constexpr int kMaxCellText = 32767;

// The name spreadsheet programs give the first sheet of a new workbook. LibreOffice renames
// a sheet whose name differs from it only in case when it opens the file ("sheet1" comes
// back as "sheet1 -1"), so a first sheet is written under exactly this name.
inline const QString kFirstSheet = QStringLiteral("Sheet1");

// Empty when the sheets fit the format, else what to tell the user. Checked before a
// file is touched.
QString limitError(SpreadsheetFormat format, const SheetList& sheets);
QString xlsRowLimitText(int rows);
QString cellTooLongText(int row, int column);
// Whether a text cell holds more than a sheet cell can (kMaxCellText UTF-16 units).
bool cellTextTooLong(const SheetCell& cell);
