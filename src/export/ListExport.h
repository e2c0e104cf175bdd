#pragma once

#include "db/AdoRecordset.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class CExportJob;
class QAbstractButton;
class QProgressBar;
class QThread;
class QWidget;

// The export button of every list window: checks that there is something to export,
// asks for a new file, refuses an .xls past its row limit (header and totals rows
// included), then hands a snapshot of the window's result to a job on a worker thread.
// The button is disabled and the window refuses to close while the job runs; the job's
// end is told in a message, a failure with its reason.
class CListExport : public QObject {
    Q_OBJECT
public:
    struct Options {
        int firstField = 0;
        int lastField = 0;
        // Shown when there is no result, or (with refuseEmpty) a result without rows.
        QString nothingMessage = QStringLiteral("没有图书信息可导出!");
        bool refuseEmpty = true;
        QString filter = QStringLiteral("Excel2003 Files (*.xls);;Excel2007 Files (*.xlsx)");
        QString proposedName;
        int progressScaleFrom = 32768;
        bool tabText = false;  // see ExportThreadParam
        // Fields written as numbers when they hold one.
        QList<int> numericFields;
        // Rows written under the data, made from the rows exported (a totals row).
        std::function<QList<QStringList>(const RowBlock&)> footer;
    };

    // `window` is the exporting window or page. While a job runs, the close requests of
    // its top window (title-bar button, Alt+F4, Escape) are refused; a window with a close
    // button of its own asks CanClose.
    CListExport(QWidget* window, QProgressBar* bar, QAbstractButton* button, Options options);
    ~CListExport() override;

    void Start(const RecordsetPtr& recordset);
    bool IsRunning() const { return m_thread != nullptr; }
    bool CanClose();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnProgress(int value);
    void OnFinished(bool written, const QString& error);

    QWidget* m_window;
    QPointer<QWidget> m_closeGuard;
    QPointer<QProgressBar> m_bar;
    QPointer<QAbstractButton> m_button;
    Options m_options;
    std::unique_ptr<CExportJob> m_job;
    std::unique_ptr<QThread> m_thread;
};
