#include "maintenance/BackupProgressDlg.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr int kRange = 100000;
constexpr int kTickMs = 100;
constexpr double kOpacity = 200.0 / 255.0;
}

CBackupProgressDlg::CBackupProgressDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_progress(new QProgressBar(this))
{
    setObjectName(QStringLiteral("CBackupProgressDlg"));
    setWindowOpacity(kOpacity);
    setStyleSheet(QStringLiteral("CBackupProgressDlg { border: 1px solid palette(dark); }"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("正在备份数据……"), this));
    m_progress->setObjectName(QStringLiteral("progress"));
    m_progress->setRange(0, kRange);
    m_progress->setTextVisible(false);
    m_progress->setMinimumWidth(260);
    layout->addWidget(m_progress);
}

// The tick counts from the moment the popup is seen, however long after its construction.
void CBackupProgressDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_timerStarted) {
        m_timerStarted = true;
        QTimer::singleShot(kTickMs, this, &CBackupProgressDlg::OnTimer);
    }
}

void CBackupProgressDlg::OnTimer()
{
    m_progress->setValue(kRange);
    // Painted now, so the full bar is on the screen before the popup goes.
    m_progress->repaint();
    reject();
}

void CBackupProgressDlg::closeEvent(QCloseEvent* event)
{
    m_progress->setValue(kRange);
    QDialog::closeEvent(event);
}
