#include "remote/FtpDownloadDlg.h"

#include "ui_FtpDownloadDlg.h"

CFtpDownloadDlg::CFtpDownloadDlg(QWidget* parent) : CFtpExchangeDlg(parent, Account::Fields), ui(std::make_unique<Ui::CFtpDownloadDlg>())
{
    ui->setupUi(this);
    InitExchange();
    OnInitDialog();
}

CFtpDownloadDlg::~CFtpDownloadDlg() = default;

void CFtpDownloadDlg::OnInitDialog()
{
    SetLamp(false);
    LoadSavedAccount();
}
