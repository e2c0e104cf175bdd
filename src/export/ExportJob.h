#pragma once

#include "export/ExportThreadParam.h"

#include <QObject>

// Writes one export file on a worker thread, without database and without widgets: the
// header, then every row of the snapshot (values trimmed, NULL an empty cell), then the
// footer, to a temporary file renamed to the target only if no file has appeared there
// meanwhile. Progress and the end come as signals, which reach the window queued.
class CExportJob : public QObject {
    Q_OBJECT
public:
    explicit CExportJob(ExportThreadParam param);

    // The bar's range: the row count, in tens from the scale threshold on.
    static int ProgressMaximum(int rows, int scaleFrom);
    int ProgressMaximum() const;

    // Runs on the worker thread; counts itself in g_bSpreadsheetIdle.
    void Run();

signals:
    void Progress(int value);
    void Finished(bool written, const QString& error);

private:
    void RowWritten(int row);

    const ExportThreadParam m_param;
    const int m_divisor;
    int m_lastShown = -1;
};
