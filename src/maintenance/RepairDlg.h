#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class CRepairDlg;
}

// Mends the lent marks of the copies and the readers' loan counts from the loans stored.
class CRepairDlg : public QDialog {
    Q_OBJECT
public:
    explicit CRepairDlg(QWidget* parent = nullptr);
    ~CRepairDlg() override;

private slots:
    void OnOK();

private:
    std::unique_ptr<Ui::CRepairDlg> ui;
};
