#pragma once

#include "controls/EnterKeyFilter.h"

#include <QDialog>

#include <memory>

namespace Ui {
class CSchoolLendQueryDlg;
}
class CSchoolLendHistoryPage;
class CSchoolLendStatPage;

// The merged lending history of several schools: its rows page by page, and its counts.
class CSchoolLendQueryDlg : public QDialog {
    Q_OBJECT
public:
    explicit CSchoolLendQueryDlg(QWidget* parent = nullptr);
    ~CSchoolLendQueryDlg() override;

private:
    void OnInitDialog();

    std::unique_ptr<Ui::CSchoolLendQueryDlg> ui;
    EnterKeyFilter m_enterKeys{this, EnterKeyFilter::ButtonsPress};
    CSchoolLendHistoryPage* m_pageHistory = nullptr;
    CSchoolLendStatPage* m_pageStat = nullptr;
};
