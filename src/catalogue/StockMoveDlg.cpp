#include "catalogue/StockMoveDlg.h"

#include "ui_StockMoveDlg.h"

#include "controls/ListSelection.h"
#include "controls/Prompter.h"
#include "core/Clock.h"
#include "db/AppState.h"
#include "export/ListExport.h"

#include <algorithm>

namespace {
// Fields of a stock row shown in the upper list.
const QList<int> kStockFields{2, 3, 6, 13, 15};
// The exported fields of a weed-out row: the copy's own, without entry date, weed-out date and operator.
constexpr int kFirstExported = 1;
constexpr int kLastExported = 14;

QStringList fieldTexts(const CAdoRecordset& rs, const QList<int>& fields)
{
    QStringList texts;
    for (int field : fields)
        texts << rs.GetCollect(field);
    return texts;
}
}

CStockMoveDlg::CStockMoveDlg(StockMoveWindow config, QWidget* parent)
    : QDialog(parent),
      m_config(std::move(config)),
      ui(std::make_unique<Ui::CStockMoveDlg>()),
      m_mover(theApp().m_ado, *m_config.tables, theApp().m_strOperator),
      m_lists(theApp().m_ado, *m_config.tables)
{
    ui->setupUi(this);
    connect(ui->m_btnQueryBooks, &QPushButton::clicked, this, &CStockMoveDlg::OnQueryBooks);
    connect(ui->m_btnMoveOut, &QPushButton::clicked, this, &CStockMoveDlg::OnMoveOut);
    connect(ui->m_radioDate, &QRadioButton::clicked, this, &CStockMoveDlg::OnDateRadio);
    connect(ui->m_radioOther, &QRadioButton::clicked, this, &CStockMoveDlg::OnOtherFieldRadio);
    connect(ui->m_btnQueryOut, &QPushButton::clicked, this, &CStockMoveDlg::OnQueryOut);
    connect(ui->m_btnRestore, &QPushButton::clicked, this, &CStockMoveDlg::OnRestore);
    connect(ui->m_btnExport, &QPushButton::clicked, this, &CStockMoveDlg::OnExportExcel);
    OnInitDialog();
}

CStockMoveDlg::~CStockMoveDlg() = default;

void CStockMoveDlg::OnInitDialog()
{
    setWindowTitle(m_config.caption);
    ui->m_labelStockKey->setText(m_config.stockKeyLabel);
    ui->m_btnMoveOut->setText(m_config.actionText);
    ui->m_groupOut->setTitle(m_config.outGroupTitle);
    ui->m_radioDate->setText(m_config.dateRadioText);
    ui->m_labelKey->setText(m_config.outKeyLabel);
    ui->m_btnQueryOut->setText(m_config.queryOutText);
    ui->m_btnQueryBooks->setDefault(true);
    ui->m_progress->setVisible(m_config.exportable);
    ui->m_btnExport->setVisible(m_config.exportable);
    if (m_config.exportable) {
        CListExport::Options options;
        options.firstField = kFirstExported;
        options.lastField = kLastExported;
        m_export = new CListExport(this, ui->m_progress, ui->m_btnExport, options);
    }

    ui->m_listStock->SetCheckBoxes(true);
    ui->m_listStock->SetHeadings(m_config.stockHeadings);
    ui->m_listStock->LoadColumnInfo();
    ui->m_listOut->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ui->m_listOut->SetHeadings(m_config.outHeadings);
    ui->m_listOut->LoadColumnInfo();
    ui->m_radioOther->setChecked(true);
    const QDate today = Clock::instance().now().date();
    ui->m_dateFirst->setDate(today);
    ui->m_dateLast->setDate(today);
}

void CStockMoveDlg::OnQueryBooks()
{
    m_stockKey = ui->m_editStockKey->text();
    FillBookList(m_lists.inStock(*m_stockKey));
}

void CStockMoveDlg::FillBookList(const RecordsetPtr& rs)
{
    ui->m_listStock->DeleteAllItems();
    try {
        for (; !rs->IsEOF(); rs->MoveNext())
            ui->m_listStock->AddItem(fieldTexts(*rs, kStockFields));
    } catch (const DbError&) {
        showMessage(this, QStringLiteral("操作失败"));
    }
}

void CStockMoveDlg::FillOutList(const RecordsetPtr& rs)
{
    m_pRecordset = rs;
    ui->m_listOut->DeleteAllItems();
    try {
        for (; !rs->IsEOF(); rs->MoveNext()) {
            const int row = ui->m_listOut->AddItem(fieldTexts(*rs, m_config.outFields));
            ui->m_listOut->SetItemData(row, rs->GetValue(0));
        }
    } catch (const DbError&) {
        showMessage(this, QStringLiteral("操作失败"));
    }
}

void CStockMoveDlg::OnMoveOut()
{
    QList<int> rows = markedRows(*ui->m_listStock);
    std::reverse(rows.begin(), rows.end());
    QStringList skipped;
    try {
        for (int row : rows) {
            const QString number = ui->m_listStock->GetItemText(row, 0);
            const StockMover::Outcome outcome =
                m_config.kind == OutKind::Loss ? m_mover.reportLost(number) : m_mover.weedOut(number);
            // A copy gone from stock meanwhile ends the walk: the rows above it stay ticked
            // and the lists as they were.
            if (outcome == StockMover::Outcome::NotInStock)
                return;
            if (outcome == StockMover::Outcome::OnLoan)
                skipped << number;
        }
    } catch (const DbError&) {
        showMessage(this, QStringLiteral("操作失败"));
        return;
    }
    checkAllRows(*ui->m_listStock, false);
    RefreshAfterMove(false);
    std::reverse(skipped.begin(), skipped.end());
    ReportSkipped(skipped);
}

// After a move the last stock query runs again. Before the first one there is no query to
// run: the list is refilled from nothing, which fails as any unreadable list does.
void CStockMoveDlg::RefreshAfterMove(bool allStock)
{
    if (allStock)
        FillBookList(m_lists.inStock(QString()));
    else if (m_stockKey)
        FillBookList(m_lists.inStock(*m_stockKey));
    else
        FillBookList(std::make_shared<CAdoRecordset>(QStringLiteral("no stock query yet")));
    FillOutList(m_lists.outByText(m_config.kind, QString()));
}

void CStockMoveDlg::ReportSkipped(const QStringList& numbers)
{
    if (numbers.isEmpty())
        return;
    QStringList lines{m_config.skippedLead};
    lines << numbers;
    if (!m_config.skippedNote.isEmpty())
        lines << m_config.skippedNote;
    showMessage(this, lines.join(QLatin1Char('\n')));
}

void CStockMoveDlg::OnDateRadio()
{
    ui->m_dateFirst->setEnabled(true);
    ui->m_dateLast->setEnabled(true);
    ui->m_editKey->setEnabled(false);
}

void CStockMoveDlg::OnOtherFieldRadio()
{
    ui->m_dateFirst->setEnabled(false);
    ui->m_dateLast->setEnabled(false);
    ui->m_editKey->setEnabled(true);
}

void CStockMoveDlg::OnQueryOut()
{
    if (ui->m_radioOther->isChecked())
        FillOutList(m_lists.outByText(m_config.kind, ui->m_editKey->text()));
    else
        FillOutList(m_lists.outByDates(m_config.kind, ui->m_dateFirst->date(), ui->m_dateLast->date()));
}

void CStockMoveDlg::OnRestore()
{
    const int row = singleSelectedRow(this, *ui->m_listOut);
    if (row < 0)
        return;
    StockMover::Outcome outcome;
    try {
        outcome = m_mover.restore(m_config.kind, ui->m_listOut->GetItemData(row).toLongLong());
    } catch (const DbError&) {
        showMessage(this, m_config.restoreFailure);
        return;
    }
    if (outcome == StockMover::Outcome::AlreadyInStock)
        showMessage(this, m_config.restoreFailure
                              + QStringLiteral("编号已在库中：%1").arg(ui->m_listOut->GetItemText(row, 0)));
    else if (outcome == StockMover::Outcome::Done)
        RefreshAfterMove(true);
}

void CStockMoveDlg::OnExportExcel()
{
    if (m_export)
        m_export->Start(m_pRecordset);
}
