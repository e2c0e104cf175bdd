#include "periodicals/PeriodicalAddDlg.h"

#include "ui_PeriodicalAddDlg.h"

#include "catalogue/ClassNumber.h"
#include "catalogue/FindClassNoDlg.h"
#include "catalogue/ReferenceTable.h"
#include "controls/ButtonIcons.h"
#include "controls/ComboFill.h"
#include "controls/ListClicks.h"
#include "controls/PagedList.h"
#include "controls/Prompter.h"
#include "controls/SearchEdit.h"
#include "core/DateText.h"
#include "core/NumberSequence.h"
#include "db/AppState.h"

namespace {
constexpr int kPageSize = 50;
const QString kFailText = QStringLiteral("操作失败");
}

CPeriodicalAddDlg::CPeriodicalAddDlg(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::CPeriodicalAddDlg>()), m_store(theApp().m_ado)
{
    ui->setupUi(this);
    m_paging = new PagedList(this, kPageSize, ui->m_btnPrevPage, ui->m_btnNextPage, ui->m_cmbPage, ui->m_lblTotal);
    connect(m_paging, &PagedList::pageChanged, this, &CPeriodicalAddDlg::ShowPage);
    connect(ui->m_btnSave, &QPushButton::clicked, this, &CPeriodicalAddDlg::OnSave);
    connect(ui->m_btnDelete, &QPushButton::clicked, this, &CPeriodicalAddDlg::OnDelete);
    connect(ui->m_btnClear, &QPushButton::clicked, this, &CPeriodicalAddDlg::OnClear);
    connect(ui->m_btnExit, &QPushButton::clicked, this, &CPeriodicalAddDlg::reject);
    connect(ui->m_btnFindClassNo, &QPushButton::clicked, this, &CPeriodicalAddDlg::OnFindClassNo);
    connect(ui->m_btnCalcCopyNo, &QPushButton::clicked, this, &CPeriodicalAddDlg::OnCalcCopyNo);
    connect(ui->m_btnIncNumber, &QPushButton::clicked, this, &CPeriodicalAddDlg::OnIncPeriodicalNo);
    connect(ui->m_btnSearch, &QPushButton::clicked, this, &CPeriodicalAddDlg::OnSearch);
    ListClicks::watch(ui->m_list, ListClicks::DoubleClick, [this] { OnDblclkList(); });
    m_enterKeys.onEnter(ui->m_edtSearch, [this] { OnSearch(); });
    OnInitDialog();
}

CPeriodicalAddDlg::~CPeriodicalAddDlg() = default;

void CPeriodicalAddDlg::OnInitDialog()
{
    ui->m_btnSave->SetIconHandles(buttonIcon(ButtonIcon::Add));
    ui->m_btnDelete->SetIconHandles(buttonIcon(ButtonIcon::Delete));
    ui->m_btnSearch->SetIconHandles(buttonIcon(ButtonIcon::Search));
    ui->m_edtEntryDate->setText(todayText());
    FillCombos();
    ui->m_list->SetHeadings(PeriodicalStore::listHeadings());
    ui->m_list->LoadColumnInfo();
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
    ShowDatesAsStored();
    // The list shows the copy saved (or kept, after No): by its barcode, else by its number.
    SearchFor(values[kPdBarcode].isEmpty() ? values[kPdNumber] : values[kPdBarcode]);
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
    if (askQuestion(this, QStringLiteral("期刊编号已存在,如果确定则覆盖已有记录!\n"), QStringLiteral("Warning!!"),
                    QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return true;
    return m_store.overwrite(values);
}

// The form shows the dates as the list will: "2017-4-1" was stored as "2017-04-01".
void CPeriodicalAddDlg::ShowDatesAsStored()
{
    for (QLineEdit* edit : {ui->m_edtPubDate, ui->m_edtEntryDate}) {
        const QString stored = normalizedDateText(edit->text());
        if (!stored.isNull())
            edit->setText(stored);
    }
}

void CPeriodicalAddDlg::OnDelete()
{
    const int row = ui->m_list->GetFirstSelected();
    if (row < 0)
        return showMessage(this, QStringLiteral("没有选定读者!\n"));
    const QString number = ui->m_list->GetItemText(row, kPdNumber);
    if (askQuestion(this, QStringLiteral("确实删除该信息吗？"), QStringLiteral("注销读者"),
                    QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel) != QMessageBox::Ok)
        return;
    switch (m_store.remove(number)) {
    case DeleteOutcome::OnLoan:
        return showMessage(this, QStringLiteral("期刊%1已借出，不能删除！").arg(number));
    case DeleteOutcome::Failed:
        showMessage(this, kFailText);
        break;
    default:
        break;
    }
    Search(true);
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

void CPeriodicalAddDlg::SearchFor(const QString& text)
{
    ui->m_edtSearch->setText(text);
    OnSearch();
}

void CPeriodicalAddDlg::OnSearch() { Search(false); }

void CPeriodicalAddDlg::Search(bool afterDelete)
{
    QString filter;
    if (!SearchEdit::takeFilter(this, ui->m_edtSearch, filter))
        return;
    RecordsetPtr result = m_store.search(filter);
    long rows = 0;
    try {
        rows = result->GetRecordCount();
    } catch (const DbError&) {
        return showMessage(this, kFailText);
    }
    // Nothing found: the list keeps the copies it shows, and their pages; but a copy just
    // deleted must not stay listed.
    if (rows == 0 && !afterDelete)
        return showMessage(this, QStringLiteral("期刊库没有数据!"));
    m_pRecordset = result;
    m_paging->SetResult(static_cast<int>(rows));
}

void CPeriodicalAddDlg::ShowPage(int)
{
    ui->m_list->DeleteAllItems();
    const PageCursor& cursor = m_paging->Cursor();
    try {
        m_pRecordset->MoveFirst();
        m_pRecordset->Move(cursor.GetFirstRow());
        for (int i = 0; i < cursor.GetRowsOnPage(); ++i, m_pRecordset->MoveNext())
            ui->m_list->AddItem(PeriodicalStore::listRow(*m_pRecordset));
    } catch (const DbError&) {
        showMessage(this, kFailText);
    }
}

void CPeriodicalAddDlg::OnDblclkList()
{
    const int row = ui->m_list->GetFirstSelected();
    if (row < 0)
        return showMessage(this, QStringLiteral("请选定记录！"));
    SetFields(ui->m_list->GetRowTexts(row).mid(0, kPdFieldCount));
}
