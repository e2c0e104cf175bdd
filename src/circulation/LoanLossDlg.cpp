#include "circulation/LoanLossDlg.h"

#include "ui_LoanLossDlg.h"

#include "controls/ButtonIcons.h"
#include "controls/ListClicks.h"
#include "controls/ListSelection.h"
#include "controls/Prompter.h"
#include "db/AdoRecordset.h"
#include "db/AppState.h"

namespace {
// Loans are listed as number, title, reader number and name, dates, price, operator.
enum { kNumberColumn = 0, kReaderColumn = 2 };
}

CLoanLossDlg::CLoanLossDlg(LoanLossWindow config, QWidget* parent)
    : QDialog(parent), m_config(std::move(config)), ui(std::make_unique<Ui::CLoanLossDlg>())
{
    ui->setupUi(this);
    connect(ui->m_btnFind, &QPushButton::clicked, this, &CLoanLossDlg::OnFind);
    connect(ui->m_btnReportLoss, &QPushButton::clicked, this, &CLoanLossDlg::OnReportLoss);
    ListClicks::watch(ui->m_list, ListClicks::Click, [this] { OnClickLoanList(); });
    if (!m_config.enterPressesDefault) {
        m_enterKeys = std::make_unique<EnterKeyFilter>(this);
        m_enterKeys->onEnter(ui->m_editReader, [this] { OnFind(); });
    }
    OnInitDialog();
}

CLoanLossDlg::~CLoanLossDlg() = default;

void CLoanLossDlg::OnInitDialog()
{
    setWindowTitle(m_config.caption);
    ui->m_btnReportLoss->setText(m_config.actionText);
    ui->m_btnFind->SetIconHandles(resourceIcon(m_config.findIcon));
    ui->m_btnReportLoss->SetIconHandles(resourceIcon(m_config.actionIcon));
    ui->m_btnFind->setDefault(true);
    ui->m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ui->m_list->SetHeadings(m_config.headings);
    ui->m_list->LoadColumnInfo();
    ui->m_labelReader->setVisible(!m_config.readerRadio);
    ui->m_radioReader->setVisible(m_config.readerRadio);
    // The window opens for a reader number: the first number typed or scanned goes into its
    // edit, not to the radio button that only captions it.
    ui->m_editReader->setFocus();
}

LendingService CLoanLossDlg::Service() const
{
    return LendingService(theApp().m_ado, theApp().m_strOperator, *m_config.tables);
}

void CLoanLossDlg::OnFind()
{
    m_strKey = ui->m_editReader->text();
    if (m_strKey.isEmpty())
        return showMessage(this, QStringLiteral("请输入借书卡号!\n"));
    FillLoanList();
}

void CLoanLossDlg::FillLoanList()
{
    ui->m_list->DeleteAllItems();
    try {
        for (const Loan& loan : Service().loansOf(m_strKey))
            ui->m_list->AddItem({loan.bookNumber, loan.title, loan.readerNumber, loan.readerName, loan.lendingDate,
                                 loan.dueDate, loan.price, loan.operatorName});
    } catch (const DbError&) {
        showMessage(this, QStringLiteral("操作失败!\n"));
    }
}

void CLoanLossDlg::OnClickLoanList()
{
    if (ui->m_list->GetSelectedCount() == 0)
        showMessage(this, QStringLiteral("没有选定项目!\n"));
}

void CLoanLossDlg::OnReportLoss()
{
    const int row = singleSelectedRow(this, *ui->m_list);
    if (row < 0)
        return;
    LendingService::Outcome outcome;
    try {
        outcome = Service().reportLost(ui->m_list->GetItemText(row, kNumberColumn),
                                       ui->m_list->GetItemText(row, kReaderColumn));
    } catch (const DbError&) {
        showMessage(this, QStringLiteral("操作失败!"));
        return;
    }
    // A book no longer in the catalogue: its loan is closed by returning it.
    if (outcome == LendingService::Outcome::CopyMissing)
        return;
    if (outcome == LendingService::Outcome::NoReader) {
        showMessage(this, QStringLiteral("操作失败!"));
        return;
    }
    if (m_config.editShowsListedReader)
        ui->m_editReader->setText(m_strKey);
    FillLoanList();
    if (outcome == LendingService::Outcome::NotOnLoan)
        showMessage(this, QStringLiteral("无此记录！"));
}
