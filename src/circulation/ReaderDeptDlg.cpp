#include "circulation/ReaderDeptDlg.h"

#include "ui_ReaderDeptDlg.h"

#include "controls/ButtonIcons.h"
#include "controls/ListClicks.h"
#include "circulation/ReaderRegister.h"
#include "controls/Prompter.h"
#include "db/AppState.h"

CReaderDeptDlg::CReaderDeptDlg(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::CReaderDeptDlg>())
{
    ui->setupUi(this);
    connect(ui->m_btnAdd, &QPushButton::clicked, this, &CReaderDeptDlg::OnAdd);
    connect(ui->m_btnDelete, &QPushButton::clicked, this, &CReaderDeptDlg::OnDelete);
    ListClicks::watch(ui->m_list, ListClicks::Click, [this] { OnClickList(); });
    OnInitDialog();
}

CReaderDeptDlg::~CReaderDeptDlg() = default;

void CReaderDeptDlg::OnInitDialog()
{
    ui->m_btnAdd->SetIconHandles(resourceIcon(210));
    ui->m_btnDelete->SetIconHandles(resourceIcon(211));
    ui->m_list->SetHeadings(QStringLiteral("部门,90"));
    ui->m_list->LoadColumnInfo();
    FillList();
}

void CReaderDeptDlg::FillList()
{
    ui->m_list->DeleteAllItems();
    try {
        for (const QString& dept : ReaderRegister(theApp().m_ado).departments())
            ui->m_list->AddItem({dept});
    } catch (const DbError&) {
        showMessage(this, QStringLiteral("操作失败"));
    }
}

void CReaderDeptDlg::OnAdd()
{
    try {
        ReaderRegister(theApp().m_ado).addDepartment(ui->m_editDept->text());
    } catch (const DbError&) {
        return showMessage(this, QStringLiteral("操作失败"));
    }
    FillList();
}

void CReaderDeptDlg::OnDelete()
{
    const int row = ui->m_list->GetFirstSelected();
    if (row < 0)
        return showMessage(this, QStringLiteral("没有选定项目!\n"));
    const QString dept = ui->m_list->GetItemText(row, 0);
    ui->m_editDept->clear();
    try {
        ReaderRegister(theApp().m_ado).removeDepartment(dept);
    } catch (const DbError&) {
        // As specified, a failed delete is not reported: the refilled list shows the truth.
    }
    FillList();
}

void CReaderDeptDlg::OnClickList()
{
    const int row = ui->m_list->GetFirstSelected();
    if (row < 0)
        return showMessage(this, QStringLiteral("没有选定项目!\n"));
    ui->m_editDept->setText(ui->m_list->GetItemText(row, 0));
}
