#pragma once

#include "controls/EnterKeyFilter.h"

#include <QDialog>

#include <memory>

namespace Ui {
class CUnitSetDlg;
}

// Keeps the reporting units that the statistics upload windows offer.
class CUnitSetDlg : public QDialog {
    Q_OBJECT
public:
    explicit CUnitSetDlg(QWidget* parent = nullptr);
    ~CUnitSetDlg() override;

private slots:
    void OnAdd();
    void OnDelete();
    void OnClickList();

private:
    void OnInitDialog();
    void FillList();

    std::unique_ptr<Ui::CUnitSetDlg> ui;
    EnterKeyFilter m_enterKeys{this, EnterKeyFilter::ButtonsPress};
};
