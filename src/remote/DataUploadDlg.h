#pragma once

#include "remote/FtpExchangeDlg.h"

#include <memory>

namespace Ui {
class CDataUploadDlg;
}

// Writes the unit's statistics exchange file and sends a file to the exchange's FTP server
// with the fixed account.
class CDataUploadDlg : public CFtpExchangeDlg {
    Q_OBJECT
public:
    explicit CDataUploadDlg(QWidget* parent = nullptr);
    ~CDataUploadDlg() override;

private:
    void OnInitDialog() override;
    void OnFieldsTaken() override;
    void OnBrowseExportFile();
    void OnExport();

    std::unique_ptr<Ui::CDataUploadDlg> ui;
    QString m_exportPath;
};
