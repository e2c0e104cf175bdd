#include "maintenance/RepairDlg.h"

#include "ui_RepairDlg.h"

#include "controls/LabelWidth.h"
#include "controls/Prompter.h"
#include "db/AppState.h"
#include "maintenance/DatabaseMaintenance.h"

#include <QLabel>
#include <QProgressBar>

#include <algorithm>

namespace {
const QString kCopiesText = QStringLiteral("正在修复图书信息库......");
const QString kReadersText = QStringLiteral("正在修复读者信息库......");
}

CRepairDlg::CRepairDlg(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::CRepairDlg>())
{
    ui->setupUi(this);
    reserveLabelWidth(ui->m_staticStatus, {kCopiesText, kReadersText});
    connect(ui->m_btnOK, &QPushButton::clicked, this, &CRepairDlg::OnOK);
    connect(ui->m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

CRepairDlg::~CRepairDlg() = default;

void CRepairDlg::OnOK()
{
    QProgressBar* bar = ui->m_progress;
    QLabel* status = ui->m_staticStatus;
    const auto show = [bar, status](DatabaseMaintenance::Stage stage, int done, int total) {
        if (done == 0) {
            status->setText(stage == DatabaseMaintenance::Stage::Copies ? kCopiesText : kReadersText);
            status->repaint();
            // A range of 0 to 0 would show a busy bar; a stage without rows shows an empty one.
            bar->setRange(0, std::max(total, 1));
        }
        bar->setValue(done);
    };
    if (const std::optional<QString> failure = DatabaseMaintenance(theApp().m_ado).Repair(show)) {
        status->clear();
        bar->setValue(0);
        return showMessage(this, QStringLiteral("修复失败！\n%1").arg(*failure));
    }
    showMessage(nullptr, QStringLiteral("修复完毕！"));
}
