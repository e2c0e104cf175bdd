#pragma once

#include "maintenance/ImportValues.h"

#include <QList>
#include <QString>
#include <QStringList>

class CAdoConn;

// What one of the five imports reads and how it stores it: the target table, the cells
// that go into its fields by position, the rules of its fields, what it does beside
// storing, and what it tells the user when it fails.
struct ImportSpec {
    enum class Target { Readers, Loans, LendingHistory, Books, Periodicals };
    // How a failure is worded: one text, with the data row's ordinal, or with the sheet row
    // and column.
    enum class FailureStyle { Plain, DataRow, RowAndColumn };

    Target target = Target::Books;
    QString table;
    int firstField = 0;  // the field the first cell goes to
    int fieldCount = 0;  // the cells read from each row
    QString sheet;       // the sheet read (any case); empty: the first sheet
    // An empty cell writes an empty text rather than leaving the field at its default.
    bool emptyCellsAsText = false;
    // A row that writes a cell past the fields read is refused, not cut short.
    bool extraCellsRefused = false;
    QStringList dateFields;
    QString momentField;
    QString inStockField;
    bool dropMidnight = false;
    // Loan tables that refuse an overwrite while they hold a row.
    QStringList overwriteBlockers;
    FailureStyle failureStyle = FailureStyle::Plain;
    QString failureText;
    QString fileFailureText;  // when the file or its sheet cannot be read

    static ImportSpec forTarget(Target target);

    // The fields the cells go to, in order, with their rules; the names and kinds come
    // from the table as the database file has it. Throws DbError.
    QList<ImportField> Fields(CAdoConn& conn) const;
    // The bar over a sheet of `rows` data rows: its maximum, and where it stands once data row
    // `row` (from 1) is read. The reader, loan and history imports count the rows read
    // against the sheet's rows, headings included; the catalogue imports show the index of
    // the row being stored against the data rows, in tens from 32768 rows. Either way the bar
    // ends a step short of its end.
    int ProgressMaximum(int rows) const;
    int ProgressValue(int row, int rows) const;
    // What the user is told of a failure in a sheet row (1 = the headings; 0 = before any row)
    // and column (1-based; 0 = none).
    QString Failure(int sheetRow, int column) const;
};
