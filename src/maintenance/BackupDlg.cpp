#include "maintenance/BackupDlg.h"

#include "ui_BackupDlg.h"

#include "controls/ButtonIcons.h"
#include "controls/FileChooser.h"
#include "controls/Prompter.h"
#include "core/Clock.h"
#include "db/AppState.h"
#include "db/DatabaseBackup.h"
#include "maintenance/BackupFiles.h"

#include <QDir>
#include <QFileInfo>

namespace {
constexpr int kBarRange = 1000;
constexpr int kConfirmIcon = 210;
constexpr int kBrowseIcon = 192;
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
    ui->m_btnConfirm->SetIconHandles(resourceIcon(kConfirmIcon));
    ui->m_btnBrowse->SetIconHandles(resourceIcon(kBrowseIcon));
    m_strTarget = dailyBackupPath(theApp().m_strAppPath, Clock::instance().now().date());
    ui->m_editPath->setText(m_strTarget);
    ui->m_progress->setRange(0, kBarRange);
    ui->m_progress->setValue(0);
}

void CBackupDlg::SweepBar(QProgressBar* bar)
{
    for (int position = bar->minimum(); position < bar->maximum(); ++position)
        bar->setValue(position);
}

void CBackupDlg::OnBrowse()
{
    const QString appPath = theApp().m_strAppPath;
    QString chosen = FileChooser::instance().saveFile(
        this, QStringLiteral("另存为"), dailyBackupPath(appPath, Clock::instance().now().date()),
        QStringLiteral("数据库文件(*.db)"));
    if (chosen.isEmpty())
        return;
    if (QFileInfo(chosen).suffix().isEmpty())
        chosen += QStringLiteral(".db");
    m_strTarget = chosen;
    ui->m_editPath->setText(m_strTarget);
}

void CBackupDlg::OnConfirm()
{
    QString error;
    // The backup goes into a folder that stands; one that is missing is reported, not made.
    const QString folder = QFileInfo(m_strTarget).absolutePath();
    if (!QFileInfo(folder).isDir())
        return showMessage(this, QStringLiteral("数据备份失败！\n文件夹不存在：%1").arg(QDir::toNativeSeparators(folder)));
    if (!backupDatabase(theApp().m_ado, m_strTarget, &error))
        return showMessage(this, QStringLiteral("数据备份失败！\n%1").arg(error));
    SweepBar(ui->m_progress);
    showMessage(this, QStringLiteral("数据备份成功！"));
}
