#include "periodicals/PeriodicalMenuDlg.h"

#include "ui_PeriodicalMenuDlg.h"

#include "periodicals/PeriodicalAddDlg.h"
#include "periodicals/PeriodicalCancelDlg.h"
#include "periodicals/PeriodicalLendDlg.h"
#include "periodicals/PeriodicalQueryDlg.h"

CPeriodicalMenuDlg::CPeriodicalMenuDlg(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::CPeriodicalMenuDlg>())
{
    ui->setupUi(this);
    connect(ui->m_btnAdd, &QPushButton::clicked, this, &CPeriodicalMenuDlg::Run<CPeriodicalAddDlg>);
    connect(ui->m_btnLend, &QPushButton::clicked, this, &CPeriodicalMenuDlg::Run<CPeriodicalLendDlg>);
    connect(ui->m_btnCancel, &QPushButton::clicked, this, &CPeriodicalMenuDlg::Run<CPeriodicalCancelDlg>);
    connect(ui->m_btnQuery, &QPushButton::clicked, this, &CPeriodicalMenuDlg::Run<CPeriodicalQueryDlg>);
    connect(ui->m_btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->m_btnClose, &QPushButton::clicked, this, &QDialog::reject);
    // 期刊借阅查询 and 期刊信息汇总 run nothing: the query window holds both as tabs.
}

CPeriodicalMenuDlg::~CPeriodicalMenuDlg() = default;

template <typename Window> void CPeriodicalMenuDlg::Run()
{
    Window window(this);
    window.exec();
}
