#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class CUploadTabDlg;
}
class CUnitInfoUploadDlg;
class CUploadSetPage;

// The upload settings and the school's figures as two pages of one window.
class CUploadTabDlg : public QDialog {
    Q_OBJECT
public:
    explicit CUploadTabDlg(QWidget* parent = nullptr);
    ~CUploadTabDlg() override;

private:
    void OnInitDialog();

    std::unique_ptr<Ui::CUploadTabDlg> ui;
    CUploadSetPage* m_pageSet = nullptr;
    CUnitInfoUploadDlg* m_pageUnit = nullptr;
};
