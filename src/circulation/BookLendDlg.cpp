#include "circulation/BookLendDlg.h"

#include "ui_BookLendDlg.h"

#include "circulation/BookLendPage.h"
#include "circulation/ReserveLendPage.h"
#include "controls/TabControl.h"

CBookLendDlg::CBookLendDlg(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::CBookLendDlg>())
{
    ui->setupUi(this);
    OnInitDialog();
}

CBookLendDlg::~CBookLendDlg() = default;

void CBookLendDlg::OnInitDialog()
{
    TabControl::attach(ui->m_tab);
    m_pageLend = new CBookLendPage(ui->m_tab);
    ui->m_tab->addTab(m_pageLend, QStringLiteral("图书借阅管理"));
    m_pageReserve = new CReserveLendPage(ui->m_tab);
    m_pageReserve->EmbedAsPage();
    m_pageReserve->hide();
    ui->m_tab->setCurrentIndex(0);
}
