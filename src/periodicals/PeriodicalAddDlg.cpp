#include "periodicals/PeriodicalAddDlg.h"

#include "ui_PeriodicalAddDlg.h"

#include "catalogue/ClassNumber.h"
#include "catalogue/FindClassNoDlg.h"
#include "catalogue/ReferenceTable.h"
#include "controls/ButtonIcons.h"
#include "controls/ComboFill.h"
#include "controls/ListClicks.h"
#include "controls/Prompter.h"
#include "controls/SearchEdit.h"
#include "core/DateText.h"
#include "core/NumberSequence.h"
#include "db/AppState.h"
#include "periodicals/PeriodicalStockPages.h"

namespace {
const QString kFailText = QStringLiteral("操作失败");
}

CPeriodicalAddDlg::CPeriodicalAddDlg(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::CPeriodicalAddDlg>()), m_store(theApp().m_ado)
{
    ui->setupUi(this);
    m_pages = new PeriodicalStockPages(this,
                                       {ui->m_edtSearch, ui->m_list, ui->m_btnPrevPage, ui->m_btnNextPage, ui->m_cmbPage,
                                        ui->m_lblTotal},
                                       PeriodicalStockPages::PageOrder::Texts);
    connect(ui->m_btnSave, &QPushButton::clicked, this, &CPeriodicalAddDlg::OnSave);
    connect(ui->m_btnDelete, &QPushButton::clicked, this, &CPeriodicalAddDlg::OnDelete);
    connect(ui->m_btnClear, &QPushButton::clicked, this, &CPeriodicalAddDlg::OnClear);
    connect(ui->m_btnExit, &QPushButton::clicked, this, &CPeriodicalAddDlg::reject);
    connect(ui->m_btnFindClassNo, &QPushButton::clicked, this, &CPeriodicalAddDlg::OnFindClassNo);
    connect(ui->m_btnCalcCopyNo, &QPushButton::clicked, this, &CPeriodicalAddDlg::OnCalcCopyNo);
    connect(ui->m_btnIncNumber, &QPushButton::clicked, this, &CPeriodicalAddDlg::OnIncPeriodicalNo);
    connect(ui->m_btnSearch, &QPushButton::clicked, this, &CPeriodicalAddDlg::OnSearch);
    ListClicks::watch(ui->m_list, ListClicks::DoubleClick, [this] { OnDblclkList(); });
    // Enter does nothing anywhere in the window: it neither closes it nor presses a button.
    m_enterKeys.onEnter(this, [] {});
    OnInitDialog();
}

CPeriodicalAddDlg::~CPeriodicalAddDlg() = default;

void CPeriodicalAddDlg::OnInitDialog()
{
    ui->m_btnSave->SetIconHandles(resourceIcon(210));
    ui->m_btnDelete->SetIconHandles(resourceIcon(211));
    ui->m_btnSearch->SetIconHandles(resourceIcon(192));
    ui->m_edtEntryDate->setText(todayText());
    FillCombos();
    SearchEdit::attach(ui->m_edtSearch);
}

void CPeriodicalAddDlg::FillCombos()
{
    try {
        fillSortedCombo(ui->m_cmbClassName,
                        CReferenceStore(theApp().m_ado, bookTypeTable()).sortedColumn(CReferenceStore::Column::Other), -1);
        fillSortedCombo(ui->m_cmbPublisher,
                        CReferenceStore(theApp().m_ado, publisherTable()).sortedColumn(CReferenceStore::Column::Other), 1);
        fillSortedCombo(ui->m_cmbShelf,
                        CReferenceStore(theApp().m_ado, shelfTable()).sortedColumn(CReferenceStore::Column::Key), 6);
    } catch (const DbError&) {
        showMessage(this, kFailText);
    }
}

PeriodicalValues CPeriodicalAddDlg::GetFields() const
{
    return {ui->m_edtBarcode->text(),   ui->m_edtNumber->text(),      ui->m_edtClassNo->text(),
            ui->m_cmbClassName->currentText(), ui->m_edtCopyNo->text(), ui->m_edtTitle->text(),
            ui->m_edtPostCode->text(),  ui->m_cmbPublisher->currentText(), ui->m_edtIssue->text(),
            ui->m_edtTotalIssue->text(), ui->m_edtPubDate->text(),    ui->m_edtIssn->text(),
            ui->m_edtPrice->text(),     ui->m_cmbShelf->currentText(), ui->m_edtEntryDate->text()};
}

void CPeriodicalAddDlg::SetFields(const PeriodicalValues& v)
{
    ui->m_edtBarcode->setText(v.value(kPdBarcode));
    ui->m_edtNumber->setText(v.value(kPdNumber));
    ui->m_edtClassNo->setText(v.value(kPdClassNo));
    ui->m_cmbClassName->setCurrentText(v.value(kPdClassName));
    ui->m_edtCopyNo->setText(v.value(kPdCopyNo));
    ui->m_edtTitle->setText(v.value(kPdTitle));
    ui->m_edtPostCode->setText(v.value(kPdPostCode));
    ui->m_cmbPublisher->setCurrentText(v.value(kPdPublisher));
    ui->m_edtIssue->setText(v.value(kPdIssue));
    ui->m_edtTotalIssue->setText(v.value(kPdTotalIssue));
    ui->m_edtPubDate->setText(v.value(kPdPubDate));
    ui->m_edtIssn->setText(v.value(kPdIssn));
    ui->m_edtPrice->setText(v.value(kPdPrice));
    ui->m_cmbShelf->setCurrentText(v.value(kPdShelf));
    ui->m_edtEntryDate->setText(v.value(kPdEntryDate));
}

void CPeriodicalAddDlg::OnSave()
{
    const PeriodicalValues values = GetFields();
    const QString complaint = PeriodicalStore::checkEntry(values);
    if (!complaint.isEmpty())
        return showMessage(this, complaint);
    if (!Store(values))
        return showMessage(this, kFailText);
    // The list shows the copy saved (or kept, after No): by its barcode, else by its number.
    ui->m_edtSearch->setText(values[kPdBarcode].isEmpty() ? values[kPdNumber] : values[kPdBarcode]);
    OnSearch();
}

// A new number adds a copy; a stored one is overwritten only when the librarian agrees.
bool CPeriodicalAddDlg::Store(const PeriodicalValues& values)
{
    try {
        if (!m_store.exists(values[kPdNumber]))
            return m_store.insert(values);
    } catch (const DbError&) {
        return false;
    }
    if (Prompter::instance().ask(this, QStringLiteral("期刊编号已存在,如果确定则覆盖已有记录!\n"), QStringLiteral("Warning!!"),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::NoIcon, QMessageBox::NoButton)
        != QMessageBox::Yes)
        return true;
    return m_store.overwrite(values);
}

void CPeriodicalAddDlg::OnDelete()
{
    const int row = ui->m_list->GetFirstSelected();
    if (row < 0)
        return showMessage(this, QStringLiteral("没有选定读者!\n"));
    const QString number = ui->m_list->GetItemText(row, kPdNumber);
    if (askQuestion(this, QStringLiteral("确实删除该信息吗？"), QStringLiteral("注销读者"),
                    QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok)
        return;
    // A delete that fails is not told: the list searched again still shows the copy.
    if (m_store.remove(number) == DeleteOutcome::OnLoan)
        return showMessage(this, QStringLiteral("期刊%1已借出，不能删除！").arg(number));
    m_pages->SearchAfterDelete();
}

void CPeriodicalAddDlg::OnClear() { SetFields(PeriodicalValues()); }

void CPeriodicalAddDlg::OnFindClassNo()
{
    CFindClassNoDlg picker(this);
    if (picker.exec() != QDialog::Accepted)
        return;
    ui->m_edtClassNo->setText(picker.m_strClassNo);
    if (picker.m_strClassNo.isEmpty())
        return;
    ui->m_cmbClassName->setCurrentText(typeContainingKey(comboEntries(ui->m_cmbClassName), classKey(picker.m_strClassNo)));
}

void CPeriodicalAddDlg::OnCalcCopyNo()
{
    const QString title = ui->m_edtTitle->text();
    if (title.isEmpty())
        return showMessage(this, QStringLiteral("请输入期刊名称！"));
    try {
        ui->m_edtCopyNo->setText(copyNumberText(theApp().m_ado, CopyTable::Periodicals, title));
    } catch (const DbError&) {
        showMessage(this, kFailText);
    }
}

void CPeriodicalAddDlg::OnIncPeriodicalNo() { ui->m_edtNumber->setText(nextNumberText(ui->m_edtNumber->text())); }

void CPeriodicalAddDlg::OnSearch() { m_pages->Search(); }

void CPeriodicalAddDlg::OnDblclkList()
{
    const int row = ui->m_list->GetFirstSelected();
    if (row < 0)
        return showMessage(this, QStringLiteral("请选定记录！"));
    SetFields(ui->m_list->GetRowTexts(row).mid(0, kPdFieldCount));
}
