#include "maintenance/BackupDlg.h"

#include "ui_BackupDlg.h"

#include "controls/FileChooser.h"
#include "controls/Prompter.h"
#include "core/Clock.h"
#include "db/AppState.h"
#include "maintenance/BackupFiles.h"

#include <QFileInfo>
#include <QStyle>

namespace {
constexpr int kBarRange = 1000;
}

CBackupDlg::CBackupDlg(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::CBackupDlg>())
{
    ui->setupUi(this);
    connect(ui->m_btnBrowse, &QPushButton::clicked, this, &CBackupDlg::OnBrowse);
    connect(ui->m_btnConfirm, &QPushButton::clicked, this, &CBackupDlg::OnConfirm);
    OnInitDialog();
}

CBackupDlg::~CBackupDlg() = default;

void CBackupDlg::OnInitDialog()
{
    ui->m_btnConfirm->SetIconHandles(style()->standardIcon(QStyle::SP_DialogApplyButton));
    ui->m_btnBrowse->SetIconHandles(style()->standardIcon(QStyle::SP_DirOpenIcon));
    m_strTarget = dailyBackupPath(theApp().m_strAppPath, Clock::instance().now().date());
    ui->m_editPath->setText(m_strTarget);
    ui->m_progress->setRange(0, kBarRange);
    ui->m_progress->setValue(0);
}

CopyProgress CBackupDlg::ProgressOn(QProgressBar* bar)
{
    bar->setRange(0, kBarRange);
    return [bar](int done, int total) {
        bar->setValue(total > 0 ? static_cast<int>(qint64(done) * kBarRange / total) : kBarRange);
        bar->repaint();
        return true;
    };
}

void CBackupDlg::OnBrowse()
{
    const QString appPath = theApp().m_strAppPath;
    QString chosen = FileChooser::instance().saveFile(
        this, windowTitle(), dailyBackupPath(appPath, Clock::instance().now().date()), QStringLiteral("数据库文件(*.db)"));
    if (chosen.isEmpty())
        return;
    if (QFileInfo(chosen).suffix().isEmpty())
        chosen += QStringLiteral(".db");
    m_strTarget = chosen;
    ui->m_editPath->setText(m_strTarget);
}

void CBackupDlg::OnConfirm()
{
    ui->m_progress->setValue(0);
    QString error;
    if (!backupDatabase(theApp().m_ado, m_strTarget, &error, ProgressOn(ui->m_progress))) {
        ui->m_progress->setValue(0);
        return showMessage(this, QStringLiteral("数据备份失败！\n%1").arg(error));
    }
    showMessage(this, QStringLiteral("数据备份成功！"));
}
