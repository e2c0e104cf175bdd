#include "app/LibraryInfoDlg.h"

#include "ui_LibraryInfoDlg.h"

#include "app/LibraryDlg.h"
#include "controls/Prompter.h"
#include "db/AppState.h"

namespace {
const QString kFailed = QStringLiteral("操作失败!");
const QString kModify = QStringLiteral("修改信息");
const QString kSave = QStringLiteral("保存信息");
}

CLibraryInfoDlg::CLibraryInfoDlg(QWidget* parent) : QDialog(parent), ui(new Ui::CLibraryInfoDlg)
{
    ui->setupUi(this);
    connect(ui->m_btnModify, &QPushButton::clicked, this, &CLibraryInfoDlg::OnModify);
    connect(ui->m_btnExit, &QPushButton::clicked, this, &QDialog::accept);
    OnInitDialog();
}

CLibraryInfoDlg::~CLibraryInfoDlg() { delete ui; }

void CLibraryInfoDlg::OnInitDialog()
{
    ui->m_btnModify->SetIcon(210, 0);
    ui->m_btnExit->SetIcon(215, 0);
    try {
        if (loadLibraryInfo(theApp().m_ado, m_info))
            UpdateData(false);
    } catch (const DbError&) {
        showMessage(this, kFailed);
    }
}

void CLibraryInfoDlg::UpdateData(bool saveAndValidate)
{
    if (saveAndValidate) {
        m_info = {ui->m_edtLibName->text(), ui->m_edtManager->text(), ui->m_edtAddress->text(),
                  ui->m_edtPostcode->text()};
        return;
    }
    ui->m_edtLibName->setText(m_info.name);
    ui->m_edtManager->setText(m_info.manager);
    ui->m_edtAddress->setText(m_info.address);
    ui->m_edtPostcode->setText(m_info.postcode);
}

void CLibraryInfoDlg::setEditing(bool editing)
{
    for (QLineEdit* edit : {ui->m_edtLibName, ui->m_edtManager, ui->m_edtAddress, ui->m_edtPostcode})
        edit->setEnabled(editing);
    ui->m_btnModify->setText(editing ? kSave : kModify);
}

void CLibraryInfoDlg::OnModify()
{
    if (ui->m_btnModify->text() == kModify) {
        setEditing(true);
        return;
    }
    OnSave();
}

void CLibraryInfoDlg::OnSave()
{
    UpdateData(true);
    if (!saveLibraryInfo(theApp().m_ado, m_info)) {
        showMessage(this, kFailed);
        return;
    }
    setEditing(false);
    CLibraryDlg::SetCaption(m_info.name);
    showMessage(this, QStringLiteral("保存成功."));
}
