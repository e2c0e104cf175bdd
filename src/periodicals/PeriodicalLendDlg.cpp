#include "periodicals/PeriodicalLendDlg.h"

#include "ui_PeriodicalLendDlg.h"

#include "controls/ButtonIcons.h"
#include "controls/ListClicks.h"
#include "controls/Prompter.h"
#include "db/AppState.h"
#include "periodicals/PeriodicalStore.h"

namespace {
const QString kFailText = QStringLiteral("操作失败");
const QString kLimitText = QStringLiteral("对不起！您的借阅数量受限！\n");
const QString kNotInText = QStringLiteral("图书不在库!\n");
const QString kInStock = QStringLiteral("未借");

// Columns of the to-lend list.
enum { kNumberColumn, kTitleColumn, kIssueColumn, kPublisherColumn, kStatusColumn, kPriceColumn };
}

CPeriodicalLendDlg::CPeriodicalLendDlg(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::CPeriodicalLendDlg>())
{
    ui->setupUi(this);
    connect(ui->m_btnFindReader, &QPushButton::clicked, this, &CPeriodicalLendDlg::OnFindReader);
    connect(ui->m_btnSearch, &QPushButton::clicked, this, &CPeriodicalLendDlg::OnSearch);
    connect(ui->m_btnLend, &QPushButton::clicked, this, &CPeriodicalLendDlg::LendPeriodical);
    connect(ui->m_btnReturn, &QPushButton::clicked, this, &CPeriodicalLendDlg::ReturnPeriodical);
    ListClicks::watch(ui->m_listToLend, ListClicks::DoubleClick, [this] { LendPeriodical(); });
    ListClicks::watch(ui->m_listLoans, ListClicks::DoubleClick, [this] { ReturnPeriodical(); });
    m_enterKeys.onEnter(ui->m_edtReaderCard, [this] { OnFindReader(); });
    m_enterKeys.onEnter(ui->m_edtSearch, [this] { OnSearch(); });
    OnInitDialog();
}

CPeriodicalLendDlg::~CPeriodicalLendDlg() = default;

void CPeriodicalLendDlg::OnInitDialog()
{
    ui->m_btnFindReader->SetIconHandles(resourceIcon(192));
    ui->m_btnSearch->SetIconHandles(resourceIcon(192));
    ui->m_listToLend->SetHeadings(QStringLiteral("期刊编号,80;期刊名称,100;第几期,60;出版社,90;是否借出,80;单价,80"));
    ui->m_listToLend->LoadColumnInfo();
    ui->m_listLoans->SetHeadings(
        QStringLiteral("期刊编号,80;期刊名称,100;读者编号,90;读者姓名,60;借阅日期,80;应还日期,80;操作员,60"));
    ui->m_listLoans->LoadColumnInfo();
    ui->m_edtReaderCard->setFocus();
}

LendingService CPeriodicalLendDlg::Service() const
{
    return LendingService(theApp().m_ado, theApp().m_strOperator, LoanTables::periodicals());
}

void CPeriodicalLendDlg::OnFindReader()
{
    if (m_reader.find(ui->m_edtReaderCard))
        ShowLoans();
}

void CPeriodicalLendDlg::ShowLoans()
{
    ui->m_listLoans->DeleteAllItems();
    for (const Loan& l : m_reader.loans())
        ui->m_listLoans->AddItem(
            {l.bookNumber, l.title, l.readerNumber, l.readerName, l.lendingDate, l.dueDate, l.operatorName});
}

void CPeriodicalLendDlg::OnSearch()
{
    const QString key = ui->m_edtSearch->text();
    if (key.isEmpty())
        return showMessage(this, QStringLiteral("请输入查询信息！"));
    ui->m_listToLend->DeleteAllItems();
    ui->m_edtSearch->clear();
    try {
        AddPeriodicalRows(PeriodicalStore(theApp().m_ado).findForLending(key));
    } catch (const DbError&) {
        showMessage(this, kFailText);
    }
}

void CPeriodicalLendDlg::AddPeriodicalRows(const RecordsetPtr& rows)
{
    for (; !rows->IsEOF(); rows->MoveNext()) {
        const QStringList f = rows->GetRowTexts();
        ui->m_listToLend->AddItem({f[2], f[6], f[9], f[8], f[16] == QLatin1String("0") ? kInStock : QStringLiteral("已借"),
                                   f[13]});
    }
}

void CPeriodicalLendDlg::AddPeriodicalRow(const QString& number)
{
    try {
        AddPeriodicalRows(PeriodicalStore(theApp().m_ado).byNumber(number));
    } catch (const DbError&) {
        showMessage(this, kFailText);
    }
}

// The checks a librarian sees before the lend itself, which repeats them in its transaction.
bool CPeriodicalLendDlg::MayLend(int row)
{
    if (!m_reader.present())
        return false;
    if (row < 0) {
        showMessage(this, QStringLiteral("没有选定书目!\n"));
        return false;
    }
    try {
        if (!Service().mayBorrow(m_reader.card())) {
            showMessage(this, kLimitText);
            return false;
        }
    } catch (const DbError&) {
        showMessage(this, kFailText);
        return false;
    }
    if (ui->m_listToLend->GetItemText(row, kStatusColumn) != kInStock) {
        showMessage(this, kNotInText);
        return false;
    }
    return true;
}

void CPeriodicalLendDlg::LendPeriodical()
{
    const int row = ui->m_listToLend->GetFirstSelected();
    if (!MayLend(row))
        return;
    BookCopy copy;
    copy.bookNumber = ui->m_listToLend->GetItemText(row, kNumberColumn);
    copy.title = ui->m_listToLend->GetItemText(row, kTitleColumn);
    copy.price = ui->m_listToLend->GetItemText(row, kPriceColumn);
    LendingService::Outcome outcome;
    try {
        outcome = Service().lend(m_reader.card(), copy);
    } catch (const DbError&) {
        return showMessage(this, kFailText);
    }
    switch (outcome) {
    case LendingService::Outcome::Done:
        ui->m_listToLend->DeleteItem(row);
        m_reader.refresh();
        return ShowLoans();
    case LendingService::Outcome::LimitReached:
        return showMessage(this, kLimitText);
    case LendingService::Outcome::NoReader:
        return showMessage(this, kFailText);
    default:
        return showMessage(this, kNotInText);
    }
}

void CPeriodicalLendDlg::ReturnPeriodical()
{
    const int row = ui->m_listLoans->GetFirstSelected();
    if (row < 0)
        return showMessage(this, QStringLiteral("没有选定书目!\n"));
    const QString number = ui->m_listLoans->GetItemText(row, kNumberColumn);
    try {
        // The history row names the reader shown. A copy no longer in stock is returned all
        // the same; the to-lend list gets no row for it.
        if (Service().giveBack(number, m_reader.shown()) == LendingService::Outcome::NotOnLoan)
            showMessage(this, QStringLiteral("无此记录！"));
    } catch (const DbError&) {
        showMessage(this, kFailText);
        return;
    }
    AddPeriodicalRow(number);
    m_reader.refresh();
    ShowLoans();
}
