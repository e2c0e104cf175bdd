#pragma once

#include "sheets/Sheet.h"

#include <QStringList>

#include <vector>

// One sheet of a spreadsheet file, held in memory. A path ending in ".xls" or ".xlsx" (in
// any case) is a workbook and the second constructor argument names the sheet (names match
// ignoring case; an empty name names none); any other path is delimited
// text and the argument is its separator, whatever text it is (see DelimitedText.h).
// The constructor reads whatever the file holds (the content decides how, not the name);
// a missing file or sheet starts empty. Rows are 1-based, row 1 the header. A workbook's
// row reads with every column of its sheet, a text file's row with the cells it has.
//
// Outside a transaction every change writes the file at once; writers open a transaction,
// add the header and the rows and commit once. Objects opened on sheets of one workbook
// commit together, so that their sheets change in one write or not at all. A commit writes the whole file to a
// temporary name and renames it over the old one: a workbook keeps its other sheets in
// their order (values and kinds of cells, not formatting), a failure leaves the old file
// as it was, and an existing file that could not be read is never overwritten.
// Failures are results. GetLastError gives the class's own failure texts; where a workbook
// statement would fail (a commit, a deleted sheet, an update) it is the reason itself.
// GetErrorDetail says why for the user, the reason behind the text where there is one.
class CExcelFile {
public:
    CExcelFile(const QString& path, const QString& sheetOrSeparator, bool backup = false);

    // On a sheet without header the names become the header; with replace they replace
    // it; without replace they are appended to it (a workbook refuses a name it holds).
    bool AddHeaders(const QStringList& names, bool replace);
    // Row 0 appends; a row within the sheet is replaced or inserted before; a row past
    // the end is reached through filler rows (as AddCell pads). Row 1 is the header.
    bool AddRow(const QStringList& cells, int row = 0, bool replace = false);
    // Sets one cell (columns from 1); row 0 appends a row, a row past the end is reached
    // through filler rows. A workbook's filler cells hold one space, a text file's are empty.
    // A workbook takes a new column in the header only (one past its last name).
    bool AddCell(const QString& value, int column, int row);
    // The column is the first header cell equal to `column`, or with `letters` its letters
    // (A is 1, AA 27, IV 256, in any case; other texts are taken as names).
    bool AddCell(const QString& value, const QString& column, int row, bool letters);
    // Row 0 (or below) reads the current row; either way the current row then moves on.
    bool ReadRow(QStringList& cells, int row = 0);
    // One cell of every row, the header's included, the empty text for a row without it.
    bool ReadColumn(QStringList& cells, int column);
    bool ReadColumn(QStringList& cells, const QString& column, bool letters);
    // Row 0 reads from the current row; neither form moves it. A column beyond the row as
    // ReadRow gives it empties the text and is false without a text.
    bool ReadCell(QString& text, int column, int row = 0);
    bool ReadCell(QString& text, const QString& column, int row, bool letters);
    void GetFieldNames(QStringList& names) const { names = m_arrFieldNames; }
    int GetTotalRows() const { return int(m_sheet.rows.size()); }
    int GetTotalColumns() const { return m_nTotalColumns; }

    void BeginTransaction() { m_bTransaction = true; }
    // `alongside` are other objects opened on the same workbook, whose sheets are written
    // in the same commit; the reason of a failure is this object's.
    bool Commit(const std::vector<CExcelFile*>& alongside = {});
    // Reads the file again, dropping what was not committed, and ends the transaction.
    bool RollBack();

    // A workbook's sheet is emptied in the file at once, even inside a transaction, and
    // stays; nothing else of the file changes. Emptying this object's own sheet empties what
    // it holds; another sheet's leaves it alone. A text file is emptied, at once unless a
    // transaction is open.
    bool DeleteSheet();
    bool DeleteSheet(const QString& sheet);
    // Workbooks only, in the file at once: every data row whose first cells equal `oldValues`
    // gets `newValues` in its first cells. The sheet is then read again, like RollBack.
    bool UpdateMatchingRows(const QStringList& newValues, const QStringList& oldValues);
    // Writes the sheet beside the file under the other extension: a workbook as ".csv", a
    // text file as ".xls" (the argument is the copy's separator or sheet name). A copy that
    // has content already is left alone. A text file's header with a name twice goes into
    // the copy as a data row under the header "1", "2", ...; GetLastError names the name.
    // A failure of the copy leaves GetLastError as it was; GetErrorDetail says why.
    bool SaveAsOtherFormat(const QString& sheetOrSeparator);

    QString GetLastError() const { return m_strLastError; }
    QString GetErrorDetail() const { return m_strErrorDetail.isEmpty() ? m_strLastError : m_strErrorDetail; }
    // False when the backup was asked for and could not be written.
    bool IsBackedUp() const { return m_bBackup; }
    // False when the file exists but could not be read, or is text under a workbook's name;
    // it will not be overwritten.
    bool IsReadable() const { return !m_bUnreadable; }

private:
    bool Open();
    void Hold(Sheet&& sheet);
    void EmptyHeld();
    bool WriteBackup();
    bool ReadFileBook(Workbook* book);
    bool SaveBook(const SheetList& sheets);
    // With `replace` false a sheet of ours that the file holds already makes it fail.
    bool CommitWorkbook(const std::vector<const Sheet*>& ours, bool replace = true);
    bool EmptyInWorkbook(const QString& sheet);
    bool EmptyTextFile();
    void Committed();
    bool CommitText(const QString& path);
    bool SetCellInRow(const QString& value, int column, int row);
    bool CopyTo(CExcelFile& copy);
    bool CopyTextTo(CExcelFile& copy);
    int LookupColumn(const QString& column, bool letters);
    bool Fail(const QString& text, const QString& detail = {});
    // A failure the class's texts have no words for: the last error stays as it was.
    bool Refuse(const QString& detail);
    bool FailCommit(const QString& reason);
    QStringList RowTexts(size_t index) const;
    static QStringList TextsOf(const CellRow& cells);
    static CellRow Cells(const QStringList& texts);
    QStringList FillerTexts(int width) const;

    bool m_bSheetExists = false;
    bool m_bBackup = false;
    bool m_bWorkbook = false;
    bool m_bTransaction = false;
    bool m_bUnreadable = false;
    int m_nCurrentRow = 1;
    int m_nTotalColumns = 0;
    QString m_strFile;
    QString m_strSeparator;
    QString m_strLastError;
    QString m_strErrorDetail;
    QStringList m_arrFieldNames;
    Sheet m_sheet;  // its name is the sheet name of a workbook; rows[0] is the header
};
