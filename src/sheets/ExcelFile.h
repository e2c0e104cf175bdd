#pragma once

#include "sheets/Sheet.h"

#include <QStringList>

#include <vector>

// One sheet of a spreadsheet file, held in memory. A path ending in ".xls" or ".xlsx" (in
// any case) is a workbook and the second constructor argument names the sheet (an empty
// name takes the first sheet; names match ignoring case); any other path is delimited
// text and the argument is its separator when it is one character, else the comma.
// The constructor reads whatever the file holds (the content decides how, not the name);
// a missing file or sheet starts empty. Rows are 1-based, row 1 the header.
//
// Outside a transaction every change writes the file at once; writers open a transaction,
// add the header and the rows and commit once. Objects opened on sheets of one workbook
// commit together, so that their sheets change in one write or not at all. A commit writes the whole file to a
// temporary name and renames it over the old one: a workbook keeps its other sheets in
// their order (values and kinds of cells, not formatting), a failure leaves the old file
// as it was, and an existing file that could not be read is never overwritten.
// Failures are results; GetLastError says why.
class CExcelFile {
public:
    CExcelFile(const QString& path, const QString& sheetOrSeparator, bool backup = false);

    // On a sheet without header the names become the header; with replace they replace
    // it; without replace they are appended to it (a workbook refuses a name it holds).
    bool AddHeaders(const QStringList& names, bool replace);
    // Row 0 appends; a row within the sheet is replaced or inserted before; a row past
    // the end is reached through empty rows. Row 1 is the header.
    bool AddRow(const QStringList& cells, int row = 0, bool replace = false);
    // Row 0 reads the current row, which then moves on; the cells are padded to the
    // column count.
    bool ReadRow(QStringList& cells, int row = 0);
    void GetFieldNames(QStringList& names) const { names = m_arrFieldNames; }
    int GetTotalRows() const { return int(m_sheet.rows.size()); }
    int GetTotalColumns() const { return m_nTotalColumns; }

    void BeginTransaction() { m_bTransaction = true; }
    // `alongside` are other objects opened on the same workbook, whose sheets are written
    // in the same commit; the reason of a failure is this object's.
    bool Commit(const std::vector<CExcelFile*>& alongside = {});

    QString GetLastError() const { return m_strLastError; }
    // False when the backup was asked for and could not be written.
    bool IsBackedUp() const { return m_bBackup; }
    // False when the file exists but could not be read, or is text under a workbook's name;
    // it will not be overwritten.
    bool IsReadable() const { return !m_bUnreadable; }

private:
    bool Open();
    bool WriteBackup();
    bool CommitWorkbook(const std::vector<const Sheet*>& ours);
    void Committed();
    bool CommitText(const QString& path);
    bool Fail(const QString& text);
    QStringList Texts(const CellRow& cells) const;
    static CellRow Cells(const QStringList& texts);
    CellRow FillerRow() const { return CellRow(size_t(m_nTotalColumns)); }

    bool m_bSheetExists = false;
    bool m_bBackup = false;
    bool m_bWorkbook = false;
    bool m_bTransaction = false;
    bool m_bUnreadable = false;
    int m_nCurrentRow = 1;
    int m_nTotalColumns = 0;
    QString m_strFile;
    QChar m_separator = QLatin1Char(',');
    QString m_strLastError;
    QStringList m_arrFieldNames;
    Sheet m_sheet;  // its name is the sheet name of a workbook; rows[0] is the header
};
