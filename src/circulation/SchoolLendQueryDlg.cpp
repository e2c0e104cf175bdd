#include "circulation/SchoolLendQueryDlg.h"

#include "ui_SchoolLendQueryDlg.h"

#include "circulation/SchoolLendHistoryPage.h"
#include "circulation/SchoolLendStatPage.h"
#include "controls/TabControl.h"

CSchoolLendQueryDlg::CSchoolLendQueryDlg(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::CSchoolLendQueryDlg>())
{
    ui->setupUi(this);
    OnInitDialog();
}

CSchoolLendQueryDlg::~CSchoolLendQueryDlg() = default;

void CSchoolLendQueryDlg::OnInitDialog()
{
    TabControl::attach(ui->m_tab);
    m_pageHistory = new CSchoolLendHistoryPage(ui->m_tab);
    m_pageStat = new CSchoolLendStatPage(ui->m_tab);
    ui->m_tab->addTab(m_pageHistory, QStringLiteral("借阅图书信息查询"));
    ui->m_tab->addTab(m_pageStat, QStringLiteral("借阅图书分类汇总"));
    ui->m_tab->setCurrentIndex(0);
}
