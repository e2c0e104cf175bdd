#pragma once

#include "maintenance/ImportSpec.h"
#include "sheets/Sheet.h"

#include <QObject>

class CAdoConn;

// Imports one spreadsheet file into its table on a worker thread, through a connection of
// its own and without widgets. Everything happens in one transaction, the emptying of an
// overwrite included: a failure changes nothing and names the sheet row, the column and
// the reason. Rows go in through one prepared statement; loans also mark their copies lent,
// and the readers concerned are recounted. Progress and the end come as signals, which
// reach the window queued.
class CImportJob : public QObject {
    Q_OBJECT
public:
    CImportJob(ImportSpec spec, QString path, QString databasePath, bool overwrite);

    // Runs on the worker thread; counts itself in g_bSpreadsheetIdle.
    void Run();

signals:
    // Where the bar stands, of its maximum (ImportSpec::ProgressValue).
    void Progress(int value, int maximum);
    // `stored` rows on success; otherwise `message` says what failed and why.
    void Finished(bool done, int stored, const QString& message);

private:
    struct Stop;

    int Import(CAdoConn& conn);
    const Sheet& ReadSheet();
    void Overwrite(CAdoConn& conn);
    int StoreRows(CAdoConn& conn, const Sheet& sheet, const QList<ImportField>& fields);
    void RefuseExtraCells(const CellRow& cells, int columns, int fieldCount, int sheetRow) const;
    void LendCopy(CAdoConn& conn, const QString& bookNumber, int sheetRow, int column);
    void Recount(CAdoConn& conn, qint64 lastRowBefore);
    Stop StoreFailure(const QString& error, const QVariantList& values, const QList<ImportField>& fields,
                      int sheetRow) const;
    QString Message(const Stop& stop) const;

    const ImportSpec m_spec;
    const QString m_path;
    const QString m_databasePath;
    const bool m_overwrite;
    Workbook m_workbook;
    const Sheet* m_sheet = nullptr;
};
