#pragma once

#include "controls/EnterKeyFilter.h"

#include <QDialog>

#include <memory>

namespace Ui {
class CReaderDeptDlg;
}

// Keeps the departments offered in the reader entry window.
class CReaderDeptDlg : public QDialog {
    Q_OBJECT
public:
    explicit CReaderDeptDlg(QWidget* parent = nullptr);
    ~CReaderDeptDlg() override;

private slots:
    void OnAdd();
    void OnDelete();
    void OnClickList();

private:
    void OnInitDialog();
    void FillList();

    std::unique_ptr<Ui::CReaderDeptDlg> ui;
    EnterKeyFilter m_enterKeys{this, EnterKeyFilter::ButtonsPress};
};
