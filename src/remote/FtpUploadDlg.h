#pragma once

#include "remote/FtpExchangeDlg.h"

#include <memory>

namespace Ui {
class CFtpUploadDlg;
}

// Sends a file to an FTP server whose account the librarian enters, tests and keeps.
class CFtpUploadDlg : public CFtpExchangeDlg {
    Q_OBJECT
public:
    explicit CFtpUploadDlg(QWidget* parent = nullptr);
    ~CFtpUploadDlg() override;

private:
    void OnInitDialog() override;

    std::unique_ptr<Ui::CFtpUploadDlg> ui;
};
