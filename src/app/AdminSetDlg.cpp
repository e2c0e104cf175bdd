#include "app/AdminSetDlg.h"

#include "ui_AdminSetDlg.h"

#include "app/AdminAccounts.h"
#include "controls/ListClicks.h"
#include "controls/Prompter.h"
#include "db/AppState.h"

namespace {
const QString kFailed = QStringLiteral("操作失败!");
const QString kListedPassword = QStringLiteral("**********");
const QString kPlaceholder = QStringLiteral("********");
}

CAdminSetDlg::CAdminSetDlg(QWidget* parent) : QDialog(parent), ui(new Ui::CAdminSetDlg)
{
    ui->setupUi(this);
    connect(ui->m_btnAdd, &QPushButton::clicked, this, &CAdminSetDlg::OnAdd);
    connect(ui->m_btnDelete, &QPushButton::clicked, this, &CAdminSetDlg::OnDelete);
    connect(ui->m_btnChangePassword, &QPushButton::clicked, this, &CAdminSetDlg::OnChangePassword);
    ListClicks::watch(ui->m_lstAdmin, ListClicks::Click, [this] { OnClickList(); });
    OnInitDialog();
}

CAdminSetDlg::~CAdminSetDlg() { delete ui; }

void CAdminSetDlg::OnInitDialog()
{
    ui->m_btnAdd->SetIcon(210, 0);
    ui->m_btnDelete->SetIcon(211, 0);
    ui->m_btnChangePassword->SetIcon(188, 0);
    ui->m_lstAdmin->SetExtendedStyle(CReportListCtrl::kListStyle);
    ui->m_lstAdmin->SetHeadings(QStringLiteral("用户名,80;密码,80"));
    ui->m_lstAdmin->LoadColumnInfo();
    FillList();
}

void CAdminSetDlg::FillList()
{
    ui->m_lstAdmin->DeleteAllItems();
    try {
        for (const QString& name : CAdminAccounts(theApp().m_ado).Names())
            ui->m_lstAdmin->AddItem({name, kListedPassword});
    } catch (const DbError&) {
        showMessage(this, kFailed);
    }
}

void CAdminSetDlg::OnClickList()
{
    const int row = ui->m_lstAdmin->GetFirstSelected();
    if (row < 0) {
        clearTexts();
        return;
    }
    m_strUser = ui->m_lstAdmin->GetItemText(row, 0);
    m_strPassword = m_strConfirm = kPlaceholder;
    UpdateData(false);
}

void CAdminSetDlg::UpdateData(bool saveAndValidate)
{
    if (saveAndValidate) {
        m_strUser = ui->m_edtUser->text();
        m_strPassword = ui->m_edtPassword->text();
        m_strConfirm = ui->m_edtConfirm->text();
        return;
    }
    ui->m_edtUser->setText(m_strUser);
    ui->m_edtPassword->setText(m_strPassword);
    ui->m_edtConfirm->setText(m_strConfirm);
}

void CAdminSetDlg::clearTexts()
{
    m_strUser.clear();
    m_strPassword.clear();
    m_strConfirm.clear();
    UpdateData(false);
}

bool CAdminSetDlg::validate(const QString& noPasswordText)
{
    UpdateData(true);
    QString problem;
    if (m_strUser.isEmpty())
        problem = QStringLiteral("请输入用户名!\n");
    else if (m_strPassword.isEmpty())
        problem = noPasswordText;
    else if (m_strPassword != m_strConfirm)
        problem = QStringLiteral("请重新确认密码!\n");
    if (problem.isEmpty())
        return true;
    showMessage(this, problem);
    return false;
}

void CAdminSetDlg::OnAdd()
{
    if (!validate(QStringLiteral("请输入密码!\n")))
        return;
    switch (CAdminAccounts(theApp().m_ado).Add(m_strUser, m_strPassword)) {
    case CAdminAccounts::Result::Done:
        clearTexts();
        FillList();
        break;
    case CAdminAccounts::Result::NameExists:
        showMessage(this, QStringLiteral("用户名已存在！"));
        break;
    default:
        showMessage(this, kFailed);
    }
}

void CAdminSetDlg::OnDelete()
{
    const int row = ui->m_lstAdmin->GetFirstSelected();
    if (row < 0) {
        showMessage(this, QStringLiteral("请选定用户!\n"));
        return;
    }
    // A delete that fails is not reported: the refreshed list still shows the row.
    if (CAdminAccounts(theApp().m_ado).Remove(ui->m_lstAdmin->GetItemText(row, 0))
        == CAdminAccounts::Result::Protected) {
        showMessage(this, QStringLiteral("超级用户不能删除!\n"));
        return;
    }
    clearTexts();
    FillList();
}

void CAdminSetDlg::OnChangePassword()
{
    if (!validate(QStringLiteral("请输入新的密码!\n")))
        return;
    switch (CAdminAccounts(theApp().m_ado).ChangePassword(m_strUser, m_strPassword)) {
    case CAdminAccounts::Result::Done:
        showMessage(this, QStringLiteral("密码修改成功！"));
        FillList();
        break;
    case CAdminAccounts::Result::NoSuchUser:
        showMessage(this, QStringLiteral("用户名不存在！"));
        break;
    default:
        showMessage(this, kFailed);
    }
}
