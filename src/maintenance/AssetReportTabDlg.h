#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class CAssetReportTabDlg;
}
class CBookAssetReportDlg;
class CPeriodicalAssetReportDlg;

// 盘库: the book and the periodical asset reports as two pages of one window. No command
// opens it; the menu opens each report as a window of its own.
class CAssetReportTabDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAssetReportTabDlg(QWidget* parent = nullptr);
    ~CAssetReportTabDlg() override;

private:
    void OnInitDialog();

    std::unique_ptr<Ui::CAssetReportTabDlg> ui;
    CBookAssetReportDlg* m_pageBooks = nullptr;
    CPeriodicalAssetReportDlg* m_pagePeriodicals = nullptr;
};
