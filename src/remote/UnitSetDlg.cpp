#include "remote/UnitSetDlg.h"

#include "ui_UnitSetDlg.h"

#include "controls/ListClicks.h"
#include "controls/Prompter.h"
#include "db/AppState.h"
#include "db/AdoRecordset.h"
#include "remote/UnitRegister.h"

CUnitSetDlg::CUnitSetDlg(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::CUnitSetDlg>())
{
    ui->setupUi(this);
    connect(ui->m_btnAdd, &QPushButton::clicked, this, &CUnitSetDlg::OnAdd);
    connect(ui->m_btnDelete, &QPushButton::clicked, this, &CUnitSetDlg::OnDelete);
    ListClicks::watch(ui->m_list, ListClicks::Click, [this] { OnClickList(); });
    OnInitDialog();
}

CUnitSetDlg::~CUnitSetDlg() = default;

void CUnitSetDlg::OnInitDialog()
{
    ui->m_list->SetHeadings(QStringLiteral("单位名称,150"));
    ui->m_list->LoadColumnInfo();
    FillList();
}

void CUnitSetDlg::FillList()
{
    ui->m_list->DeleteAllItems();
    try {
        for (const QString& unit : UnitRegister(theApp().m_ado).units())
            ui->m_list->AddItem({unit});
    } catch (const DbError&) {
        showMessage(this, QStringLiteral("读取数失败！"));
    }
}

void CUnitSetDlg::OnAdd()
{
    const QString unit = ui->m_editUnit->text();
    if (unit.isEmpty())
        return showMessage(this, QStringLiteral("请输入单位名称!\n"));
    try {
        UnitRegister(theApp().m_ado).add(unit);
    } catch (const DbError&) {
        return showMessage(this, QStringLiteral("操作失败"));
    }
    FillList();
}

void CUnitSetDlg::OnDelete()
{
    const int row = ui->m_list->GetFirstSelected();
    if (row < 0)
        return showMessage(this, QStringLiteral("请选定数据!\n"));
    const QString unit = ui->m_list->GetItemText(row, 0);
    try {
        UnitRegister(theApp().m_ado).remove(unit);
    } catch (const DbError&) {
        // The refilled list shows whether the unit went.
    }
    ui->m_editUnit->clear();
    FillList();
}

void CUnitSetDlg::OnClickList()
{
    const int row = ui->m_list->GetFirstSelected();
    ui->m_editUnit->setText(row < 0 ? QString() : ui->m_list->GetItemText(row, 0));
}
