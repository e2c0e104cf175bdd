#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class CBookLendDlg;
}
class CBookLendPage;
class CReserveLendPage;

// The lending window: one tab with the circulation desk. The reservation page is built
// with it but not offered.
class CBookLendDlg : public QDialog {
    Q_OBJECT
public:
    explicit CBookLendDlg(QWidget* parent = nullptr);
    ~CBookLendDlg() override;

private:
    void OnInitDialog();

    std::unique_ptr<Ui::CBookLendDlg> ui;
    CBookLendPage* m_pageLend = nullptr;
    CReserveLendPage* m_pageReserve = nullptr;
};
