#include "maintenance/RestoreDlg.h"

#include "ui_RestoreDlg.h"

#include "controls/ButtonIcons.h"
#include "controls/FileChooser.h"
#include "controls/Prompter.h"
#include "db/AppState.h"
#include "maintenance/BackupDlg.h"
#include "maintenance/BackupFiles.h"
#include "maintenance/DatabaseRestore.h"
#include "remote/DbServiceCommands.h"

#include <QCoreApplication>

namespace {
constexpr int kBarRange = 5000;
constexpr int kConfirmIcon = 210;
constexpr int kBrowseIcon = 192;
}

CRestoreDlg::CRestoreDlg(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::CRestoreDlg>())
{
    ui->setupUi(this);
    connect(ui->m_btnBrowse, &QPushButton::clicked, this, &CRestoreDlg::OnBrowse);
    connect(ui->m_btnConfirm, &QPushButton::clicked, this, &CRestoreDlg::OnConfirm);
    OnInitDialog();
}

CRestoreDlg::~CRestoreDlg() = default;

void CRestoreDlg::OnInitDialog()
{
    ui->m_btnConfirm->SetIconHandles(resourceIcon(kConfirmIcon));
    ui->m_btnBrowse->SetIconHandles(resourceIcon(kBrowseIcon));
    ui->m_progress->setRange(0, kBarRange);
    m_strSource = backupFolder(theApp().m_strAppPath);
    ui->m_editPath->setText(m_strSource);
}

void CRestoreDlg::OnBrowse()
{
    m_strSource = FileChooser::instance().openFile(this, QStringLiteral("打开"), backupFolder(theApp().m_strAppPath),
                                                   QStringLiteral("数据库文件(*.db)"));
    ui->m_editPath->setText(m_strSource);
}

void CRestoreDlg::OnConfirm()
{
    if (m_strSource.isEmpty())
        return showMessage(nullptr, QStringLiteral("请输入备份文件的路径!"));
    QString error;
    if (!restoreDatabase(theApp().m_ado, m_strSource, beforeRestorePath(theApp().m_strAppPath), {}, &error))
        return showMessage(this, QStringLiteral("数据恢复失败！\n%1").arg(error));
    CBackupDlg::SweepBar(ui->m_progress);
    if (askQuestion(this, QStringLiteral("数据恢复成功,你需要重新启动数据库服务！？"), QStringLiteral("提示"),
                    QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        != QMessageBox::Yes)
        return;
    // The service is started whether or not it can be, and the program ends at once, without
    // the backup offered on the way out.
    DbServiceCommands::run(DbServiceCommands::startCommand());
    QCoreApplication::exit(0);
}
