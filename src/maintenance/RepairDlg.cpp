#include "maintenance/RepairDlg.h"

#include "ui_RepairDlg.h"

#include "controls/Prompter.h"
#include "db/AppState.h"
#include "maintenance/DatabaseMaintenance.h"

CRepairDlg::CRepairDlg(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::CRepairDlg>())
{
    ui->setupUi(this);
    connect(ui->m_btnOK, &QPushButton::clicked, this, &CRepairDlg::OnOK);
    connect(ui->m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

CRepairDlg::~CRepairDlg() = default;

void CRepairDlg::OnOK()
{
    ui->m_progress->setRange(0, 2);
    ui->m_progress->setValue(0);
    const auto show = [this](DatabaseMaintenance::Stage stage) {
        const bool copies = stage == DatabaseMaintenance::Stage::Copies;
        ui->m_staticStatus->setText(copies ? QStringLiteral("正在修复图书信息库......")
                                           : QStringLiteral("正在修复读者信息库......"));
        ui->m_progress->setValue(copies ? 0 : 1);
        repaint();
    };
    if (const std::optional<QString> failure = DatabaseMaintenance(theApp().m_ado).Repair(show)) {
        ui->m_staticStatus->clear();
        ui->m_progress->setValue(0);
        return showMessage(this, QStringLiteral("修复失败！\n%1").arg(*failure));
    }
    ui->m_progress->setValue(2);
    ui->m_staticStatus->setText(QStringLiteral("修复完毕！"));
    showMessage(this, QStringLiteral("修复完毕！"));
}
