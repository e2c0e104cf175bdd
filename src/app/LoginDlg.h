#pragma once

#include <QDialog>

namespace Ui {
class CLoginDlg;
}

// Asks for the operator's name and password before the main window opens.
class CLoginDlg : public QDialog {
    Q_OBJECT
public:
    explicit CLoginDlg(QWidget* parent = nullptr);
    ~CLoginDlg() override;

private slots:
    void OnLogin();

private:
    void OnInitDialog();

    Ui::CLoginDlg* ui;
};
