#pragma once

#include "sheets/Sheet.h"

#include <QChar>
#include <QString>

// What a file holds, told by its first bytes rather than its name, so that a misnamed
// file still reads.
enum class FileContent { Missing, Empty, CompoundFile, Zip, Text };
FileContent sniffContent(const QString& path);
inline bool isWorkbookContent(FileContent content)
{
    return content == FileContent::CompoundFile || content == FileContent::Zip;
}

// Reads every sheet of a file: a compound file as .xls, a zip as .xlsx, anything
// else as delimited text (one sheet without a name). False with the reason in `error`.
bool readSpreadsheet(const QString& path, const QString& separator, Workbook* workbook, QString* error);
inline bool readSpreadsheet(const QString& path, QChar separator, Workbook* workbook, QString* error)
{
    return readSpreadsheet(path, QString(separator), workbook, error);
}

// Writes the sheets in the format the name asks for (formatForPath; a text file takes the
// first sheet) to a temporary file beside the target, then renames it over the target.
// The limits are checked before anything is written; on any failure the temporary file
// is removed and the target is as it was. With `mayReplace` false an existing target,
// even one that appeared meanwhile, is left alone and the save fails.
bool saveSpreadsheet(const QString& path, const SheetList& sheets, const QString& separator, bool mayReplace,
                     QString* error);
inline bool saveSpreadsheet(const QString& path, const SheetList& sheets, QChar separator, bool mayReplace, QString* error)
{
    return saveSpreadsheet(path, sheets, QString(separator), mayReplace, error);
}
