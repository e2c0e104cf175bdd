#pragma once

#include <QDialog>

namespace Ui {
class CAboutDlg;
}

// What this program is, with a link to its help page.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
    ~CAboutDlg() override;

private:
    void OnInitDialog();

    Ui::CAboutDlg* ui;
};
