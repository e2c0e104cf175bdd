#pragma once

#include "remote/FtpExchangeDlg.h"

#include <memory>

namespace Ui {
class CDataDownloadDlg;
}

// Lists the exchange's FTP server (fixed account), fetches the chosen files into a folder
// with the account of its fields and merges every statistics file of that folder into one
// workbook.
class CDataDownloadDlg : public CFtpExchangeDlg {
    Q_OBJECT
public:
    explicit CDataDownloadDlg(QWidget* parent = nullptr);
    ~CDataDownloadDlg() override;

private:
    void OnInitDialog() override;
    void OnDisconnected() override;
    void OnBrowseExcelFile();
    void OnMerge();

    std::unique_ptr<Ui::CDataDownloadDlg> ui;
};
