#include "maintenance/AssetReportTabDlg.h"

#include "ui_AssetReportTabDlg.h"

#include "controls/TabControl.h"
#include "maintenance/AssetReportDlg.h"

CAssetReportTabDlg::CAssetReportTabDlg(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::CAssetReportTabDlg>())
{
    ui->setupUi(this);
    OnInitDialog();
}

CAssetReportTabDlg::~CAssetReportTabDlg() = default;

void CAssetReportTabDlg::OnInitDialog()
{
    TabControl::attach(ui->m_tab);
    m_pageBooks = new CBookAssetReportDlg(ui->m_tab);
    m_pagePeriodicals = new CPeriodicalAssetReportDlg(ui->m_tab);
    m_pageBooks->EmbedAsPage();
    m_pagePeriodicals->EmbedAsPage();
    ui->m_tab->addTab(m_pageBooks, QStringLiteral("图书信息财务报表"));
    ui->m_tab->addTab(m_pagePeriodicals, QStringLiteral("期刊信息财务报表"));
    ui->m_tab->setCurrentIndex(0);
}
