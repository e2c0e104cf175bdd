#include "maintenance/InitSystemDlg.h"

#include "ui_InitSystemDlg.h"

#include "controls/ButtonIcons.h"
#include "controls/Prompter.h"
#include "db/AppState.h"
#include "maintenance/DatabaseMaintenance.h"

#include <QCheckBox>

namespace {
constexpr int kColumns = 4;
constexpr int kConfirmIcon = 210;
}

CInitSystemDlg::CInitSystemDlg(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::CInitSystemDlg>())
{
    ui->setupUi(this);
    connect(ui->m_btnConfirm, &QPushButton::clicked, this, &CInitSystemDlg::OnInitialise);
    OnInitDialog();
}

CInitSystemDlg::~CInitSystemDlg() = default;

void CInitSystemDlg::OnInitDialog()
{
    ui->m_btnConfirm->SetIconHandles(resourceIcon(kConfirmIcon));
    int index = 0;
    for (const InitItem& item : DatabaseMaintenance::initItems()) {
        auto* box = new QCheckBox(item.caption, ui->groupItems);
        box->setObjectName(QStringLiteral("check_") + item.table);
        box->setEnabled(item.offered);
        ui->itemsLayout->addWidget(box, index / kColumns, index % kColumns);
        m_boxes[item.table] = box;
        ++index;
    }
}

QStringList CInitSystemDlg::ChosenTables() const
{
    QStringList tables;
    for (const auto& [table, box] : m_boxes)
        if (box->isChecked())
            tables << table;
    return tables;
}

void CInitSystemDlg::OnInitialise()
{
    if (Prompter::instance().ask(this, QStringLiteral("初始化将数据彻底清除，确定吗？"), QStringLiteral("警告！"),
                                 QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Warning, QMessageBox::NoButton)
        != QMessageBox::Ok)
        return;
    if (const std::optional<QString> failure = DatabaseMaintenance(theApp().m_ado).Initialise(ChosenTables()))
        return showMessage(this, QStringLiteral("初始化失败！\n%1").arg(*failure));
    accept();
}
