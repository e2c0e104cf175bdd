#include "remote/FtpUploadDlg.h"

#include "ui_FtpUploadDlg.h"

CFtpUploadDlg::CFtpUploadDlg(QWidget* parent) : CFtpExchangeDlg(parent, Account::Fields), ui(std::make_unique<Ui::CFtpUploadDlg>())
{
    ui->setupUi(this);
    InitExchange();
    OnInitDialog();
}

CFtpUploadDlg::~CFtpUploadDlg() = default;

void CFtpUploadDlg::OnInitDialog()
{
    SetLamp(false);
    LoadSavedAccount();
    FillUnits();
}
