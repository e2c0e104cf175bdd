#include "app/LoginDlg.h"

#include "ui_LoginDlg.h"

#include "app/LoginCheck.h"
#include "controls/Prompter.h"
#include "db/AppState.h"

#include <QLineEdit>

CLoginDlg::CLoginDlg(QWidget* parent) : QDialog(parent), ui(new Ui::CLoginDlg)
{
    ui->setupUi(this);
    connect(ui->m_btnLogin, &QPushButton::clicked, this, &CLoginDlg::OnLogin);
    connect(ui->m_btnExit, &QPushButton::clicked, this, &QDialog::reject);
    OnInitDialog();
}

CLoginDlg::~CLoginDlg() { delete ui; }

void CLoginDlg::OnInitDialog()
{
    ui->m_btnLogin->SetIcon(199, 0);
    ui->m_btnExit->SetIcon(211, 0);
    ui->m_cmbUserName->addItems(operatorNames(theApp().m_ado));
    ui->m_cmbUserName->setCurrentIndex(ui->m_cmbUserName->count() > 0 ? 0 : -1);
    // The name box opens with the focus and, as a combo box that gains the focus, with its
    // text selected: a name typed at once replaces the one shown.
    ui->m_cmbUserName->lineEdit()->selectAll();
    ui->m_btnLogin->setDefault(true);
}

void CLoginDlg::OnLogin()
{
    const QString name = ui->m_cmbUserName->currentText();
    const QString password = ui->m_edtPassword->text();
    if (name.isEmpty() || password.isEmpty()) {
        showMessage(this, QStringLiteral("用户名或密码不能为空"));
        return;
    }
    if (!checkLogin(theApp().m_ado, name, password)) {
        showMessage(this, QStringLiteral("用户名或密码错误！"));
        ui->m_cmbUserName->setCurrentIndex(-1);
        ui->m_cmbUserName->setEditText(QString());
        ui->m_edtPassword->clear();
        return;
    }
    theApp().m_strOperator = name;
    accept();
}
