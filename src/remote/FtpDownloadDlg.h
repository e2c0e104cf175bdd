#pragma once

#include "remote/FtpExchangeDlg.h"

#include <memory>

namespace Ui {
class CFtpDownloadDlg;
}

// Fetches chosen files from an FTP server whose account the librarian enters, tests and keeps.
class CFtpDownloadDlg : public CFtpExchangeDlg {
    Q_OBJECT
public:
    explicit CFtpDownloadDlg(QWidget* parent = nullptr);
    ~CFtpDownloadDlg() override;

private:
    void OnInitDialog() override;

    std::unique_ptr<Ui::CFtpDownloadDlg> ui;
};
