#include "export/ListExport.h"

#include "controls/Prompter.h"
#include "export/ExportJob.h"
#include "export/SheetExport.h"
#include "sheets/SpreadsheetFormat.h"

#include <QAbstractButton>
#include <QFileInfo>
#include <QKeyEvent>
#include <QProgressBar>
#include <QThread>
#include <QWidget>

CListExport::CListExport(QWidget* window, QProgressBar* bar, QAbstractButton* button, Options options)
    : QObject(window), m_window(window), m_bar(bar), m_button(button), m_options(std::move(options))
{
}

CListExport::~CListExport()
{
    if (m_thread)
        m_thread->wait();
}

void CListExport::Start(const RecordsetPtr& recordset)
{
    if (IsRunning())
        return;
    if (!recordset || !recordset->IsOpen() || (m_options.refuseEmpty && recordset->GetRecordCount() == 0))
        return showMessage(m_window, m_options.nothingMessage);
    const QString path = chooseWorkbook(m_window, m_options.proposedName, m_options.filter);
    if (path.isEmpty())
        return;
    if (QFileInfo::exists(path) && !m_options.tabText)
        return showMessage(m_window, QStringLiteral("文件已存在！"));
    ExportThreadParam param;
    param.rows = recordset->SharedRows();
    if (m_options.footer)
        param.footer = m_options.footer(*param.rows);
    // The header and the totals row count too.
    const bool xls = formatForPath(path) == SpreadsheetFormat::Xls && !m_options.tabText;
    const int rows = 1 + param.rows->rowCount() + int(param.footer.size());
    if (xls && rows > kXlsMaxRows)
        return showMessage(m_window, withReason(QStringLiteral("导出数据失败!"), xlsRowLimitText(rows)));

    param.path = path;
    param.sheet = kFirstSheet;
    for (int field = m_options.firstField; field <= m_options.lastField; ++field)
        param.header << recordset->GetFieldName(field);
    param.firstField = m_options.firstField;
    param.lastField = m_options.lastField;
    param.progressScaleFrom = m_options.progressScaleFrom;
    param.tabText = m_options.tabText;
    param.numericFields = m_options.numericFields;

    m_job = std::make_unique<CExportJob>(std::move(param));
    if (m_bar) {
        m_bar->setRange(0, std::max(1, m_job->ProgressMaximum()));
        m_bar->setValue(0);
    }
    if (m_button)
        m_button->setEnabled(false);
    // The page may sit in a tab of the window that closes, so guard the top window.
    m_closeGuard = m_window->window();
    m_closeGuard->installEventFilter(this);
    connect(m_job.get(), &CExportJob::Progress, this, &CListExport::OnProgress);
    connect(m_job.get(), &CExportJob::Finished, this, &CListExport::OnFinished);
    CExportJob* job = m_job.get();
    m_thread.reset(QThread::create([job] { job->Run(); }));
    m_thread->start();
}

void CListExport::OnProgress(int value)
{
    if (m_bar)
        m_bar->setValue(value);
}

void CListExport::OnFinished(bool written, const QString& error)
{
    m_thread->wait();
    m_thread.reset();
    m_job.reset();
    if (m_closeGuard)
        m_closeGuard->removeEventFilter(this);
    if (m_button)
        m_button->setEnabled(true);
    showMessage(m_window, written ? QStringLiteral("导出数据成功!") : withReason(QStringLiteral("导出数据失败!"), error));
}

bool CListExport::CanClose()
{
    if (!IsRunning())
        return true;
    showMessage(m_window, QStringLiteral("导出数据进程没结束！"));
    return false;
}

bool CListExport::eventFilter(QObject* watched, QEvent* event)
{
    const bool closing = event->type() == QEvent::Close ||
                         (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape);
    if (watched == m_closeGuard && closing && !CanClose()) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
