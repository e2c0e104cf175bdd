#include "catalogue/BookAddDlg.h"

#include "ui_BookAddDlg.h"

#include "catalogue/ClassNumber.h"
#include "catalogue/FindClassNoDlg.h"
#include "lookup/IsbnLookup.h"
#include "catalogue/ReferenceTable.h"
#include "catalogue/ShelfSettingDlg.h"
#include "controls/ButtonIcons.h"
#include "controls/CalculatorDlg.h"
#include "controls/ColumnText.h"
#include "controls/ComboFill.h"
#include "controls/LabelWidth.h"
#include "controls/ListClicks.h"
#include "controls/PagedList.h"
#include "controls/Prompter.h"
#include "controls/SearchEdit.h"
#include "controls/WindowTips.h"
#include "core/DateText.h"
#include "core/NumberSequence.h"
#include "db/AppState.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QValidator>

namespace {
constexpr int kPageSize = 100;
const QString kLocalHeadings = QStringLiteral(
    "ISBN码,120;图书编号,120;分类号,70;图书类别,80;复本号,80;书名,150;著译者,90;出版处,90;页数,60;开本,60;"
    "版期,60;版次,60;单价,60;书架名称,120;入库时间,120");
const QString kResultHeadings = QStringLiteral(
    "ISBN码,120;分类号,80;书名,180;著译者,100;出版处,150;页数,80;开本,80;版期,80;版次,80;单价,80;图片地址,50;"
    "图书简介,100");

// Classification numbers are written in capitals whatever the keyboard gives.
class UpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        input = input.toUpper();
        return Acceptable;
    }
};

// What the lookup's status line says.
QString foundText(int hits) { return QStringLiteral("搜索到%1条图书信息").arg(hits); }
QString foundHereText(int hits) { return foundText(hits) + QStringLiteral("！"); }
QString endedText(int hits) { return foundText(hits) + QStringLiteral(",搜索结束!"); }
const QString kNoServiceText = QStringLiteral("未设置联网搜索的服务地址！");
const QString kUnreachedText = QStringLiteral("无法连接网络，未能联网搜索图书信息！");

bool isEnter(const QKeyEvent* key) { return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter; }
}

CBookAddDlg::CBookAddDlg(QWidget* parent)
    : QDialog(parent), ui(new Ui::CBookAddDlg), m_store(theApp().m_ado), m_lookup(new IsbnLookup(this))
{
    ui->setupUi(this);
    m_paging = new PagedList(this, kPageSize, ui->m_btnPrevPage, ui->m_btnNextPage, ui->m_cmbPage, ui->m_lblTotal);
    reserveLabelWidth(ui->m_lblSearchStatus, {endedText(999), kNoServiceText, kUnreachedText});
    connect(m_paging, &PagedList::pageChanged, this, &CBookAddDlg::ShowLocalPage);
    connect(ui->m_btnAdd, &QPushButton::clicked, this, &CBookAddDlg::OnAdd);
    connect(ui->m_btnEdit, &QPushButton::clicked, this, &CBookAddDlg::OnEdit);
    connect(ui->m_btnSave, &QPushButton::clicked, this, &CBookAddDlg::OnSave);
    connect(ui->m_btnCancelEdit, &QPushButton::clicked, this, &CBookAddDlg::OnCancelEdit);
    connect(ui->m_btnDelete, &QPushButton::clicked, this, &CBookAddDlg::OnDelete);
    connect(ui->m_btnExit, &QPushButton::clicked, this, &CBookAddDlg::reject);
    connect(ui->m_btnIncBookNo, &QPushButton::clicked, this, &CBookAddDlg::OnIncBookNo);
    connect(ui->m_btnCalcCopyNo, &QPushButton::clicked, this, &CBookAddDlg::OnCalcCopyNo);
    connect(ui->m_btnFindClassNo, &QPushButton::clicked, this, &CBookAddDlg::OnFindClassNo);
    connect(ui->m_edtClassNo, &QLineEdit::textChanged, this, &CBookAddDlg::OnClassNoChange);
    connect(ui->m_btnCalculator, &QPushButton::clicked, this, &CBookAddDlg::OnCalculator);
    connect(ui->m_btnShelfSettings, &QPushButton::clicked, this, &CBookAddDlg::OnShelfSettings);
    connect(ui->m_btnSearchLocal, &QPushButton::clicked, this, &CBookAddDlg::OnSearchLocal);
    ListClicks::watch(ui->m_listLocal, ListClicks::DoubleClick, [this] { LoadSelectedBook(); });
    connect(ui->m_btnIsbnSearch, &QPushButton::clicked, this, &CBookAddDlg::OnIsbnSearch);
    ListClicks::watch(ui->m_listResults, ListClicks::DoubleClick, [this] { OnResultDblClk(); });
    connect(m_lookup, &IsbnLookup::rowFound, this, &CBookAddDlg::AddResultRow);
    connect(m_lookup, &IsbnLookup::summaryFound, this, [this](const QString& summary) { m_strSummary = summary; });
    connect(m_lookup, &IsbnLookup::serviceEnded, this, &CBookAddDlg::OnSearchDone);
    m_enterKeys.onEnter(ui->m_edtBookNo, [this] { OnCalcCopyNo(); });
    m_enterKeys.onEnter(ui->m_edtSearchIsbn, [this] { OnIsbnSearch(); });
    OnInitDialog();
}

CBookAddDlg::~CBookAddDlg() { delete ui; }

void CBookAddDlg::OnInitDialog()
{
    SetEditMode(false);
    ui->m_btnIsbnSearch->SetIconHandles(resourceIcon(192));
    ui->m_btnSearchLocal->SetIconHandles(resourceIcon(192));
    ui->m_edtClassNo->setValidator(new UpperCaseValidator(ui->m_edtClassNo));
    ui->m_edtEntryDate->setText(todayText());
    try {
        fillSortedCombo(ui->m_cmbBookType,
                        CReferenceStore(theApp().m_ado, bookTypeTable()).sortedColumn(CReferenceStore::Column::Other), 0);
        fillSortedCombo(ui->m_cmbShelf,
                        CReferenceStore(theApp().m_ado, shelfTable()).sortedColumn(CReferenceStore::Column::Key), 1);
        fillSortedCombo(ui->m_cmbPublisher,
                        CReferenceStore(theApp().m_ado, publisherTable()).sortedColumn(CReferenceStore::Column::Other), 1);
    } catch (const DbError&) {
        showMessage(this, QStringLiteral("操作失败"));
    }
    fillSortedCombo(ui->m_cmbFormat, comboEntries(ui->m_cmbFormat), -1);
    ui->m_cmbFormat->setCurrentIndex(ui->m_cmbFormat->findText(QStringLiteral("16开")));
    fillSortedCombo(ui->m_cmbEdition, comboEntries(ui->m_cmbEdition), -1);
    ui->m_cmbEdition->setCurrentIndex(ui->m_cmbEdition->findText(QStringLiteral("第一版")));
    ui->m_listLocal->SetHeadings(kLocalHeadings);
    ui->m_listLocal->LoadColumnInfo();
    ui->m_listResults->SetHeadings(kResultHeadings);
    ui->m_listResults->LoadColumnInfo();
    ui->m_cmbCopies->setCurrentIndex(0);
    SearchEdit::attach(ui->m_edtSearch);
    WindowTips::apply(this);
    qApp->installEventFilter(this);
}

BookValues CBookAddDlg::GetFields() const
{
    return {ui->m_edtIsbn->text(),      ui->m_edtBookNo->text(),        ui->m_edtClassNo->text(),
            ui->m_cmbBookType->currentText(), ui->m_edtCopyNo->text(), ui->m_edtTitle->text(),
            ui->m_edtAuthor->text(),    ui->m_cmbPublisher->currentText(), ui->m_edtPages->text(),
            ui->m_cmbFormat->currentText(), ui->m_edtPubDate->text(),   ui->m_cmbEdition->currentText(),
            ui->m_edtPrice->text(),     ui->m_cmbShelf->currentText(),  ui->m_edtEntryDate->text()};
}

void CBookAddDlg::SetFields(const BookValues& v)
{
    ui->m_edtIsbn->setText(v[kIsbn]);
    ui->m_edtBookNo->setText(v[kBookNo]);
    ui->m_edtClassNo->setText(v[kClassNo]);
    ui->m_cmbBookType->setCurrentText(v[kBookType]);
    ui->m_edtCopyNo->setText(v[kCopyNo]);
    ui->m_edtTitle->setText(v[kTitle]);
    ui->m_edtAuthor->setText(v[kAuthor]);
    ui->m_cmbPublisher->setCurrentText(v[kPublisher]);
    ui->m_edtPages->setText(v[kPages]);
    ui->m_cmbFormat->setCurrentText(v[kFormat]);
    ui->m_edtPubDate->setText(v[kPubDate]);
    ui->m_cmbEdition->setCurrentText(v[kEdition]);
    ui->m_edtPrice->setText(v[kPrice]);
    ui->m_cmbShelf->setCurrentText(v[kShelf]);
    ui->m_edtEntryDate->setText(v[kEntryDate]);
}

void CBookAddDlg::OnAdd()
{
    const QString complaint = CBookStore::checkEntry(GetFields());
    if (!complaint.isEmpty()) {
        showMessage(this, complaint);
        return;
    }
    ShowEntryDateAsStored();
    InsertBooks();
    ui->m_edtSearchIsbn->setFocus();
}

void CBookAddDlg::InsertBooks()
{
    const BookValues values = GetFields();
    const bool numberCopies = ui->m_chkAddCopies->isChecked();
    // The count is read as C's atoi reads it: "3本" gives 3, a text without a leading number 0.
    const int copies = numberCopies ? leadingNumber(ui->m_cmbCopies->currentText()) : 1;
    const AddCopiesResult result = m_store.addCopies(values, copies, numberCopies);
    if (result.added > 0)
        SearchFor(values[kIsbn]);
    if (!result.duplicateNo.isEmpty()) {
        showMessage(this, QStringLiteral("编号%1已存在，请输入其他编号!").arg(result.duplicateNo));
        return;
    }
    if (result.failed) {
        showMessage(this, QStringLiteral("添加数据失败"));
        return;
    }
    ui->m_edtBookNo->setText(result.nextBookNo);
    ui->m_edtCopyNo->setText(ComputeCopyNo());
}

void CBookAddDlg::SetEditMode(bool editing)
{
    ui->m_edtBookNo->setEnabled(!editing);
    ui->m_btnAdd->setEnabled(!editing);
    ui->m_btnEdit->setEnabled(!editing);
    ui->m_btnDelete->setEnabled(!editing);
    ui->m_btnSave->setEnabled(editing);
    ui->m_btnCancelEdit->setEnabled(editing);
}

void CBookAddDlg::OnEdit() { SetEditMode(true); }

void CBookAddDlg::OnCancelEdit() { SetEditMode(false); }

void CBookAddDlg::OnSave()
{
    const BookValues values = GetFields();
    const QString refusal = CBookStore::saveRefusal(m_store.save(values[kBookNo], values), values[kBookNo], values,
                                                    QStringLiteral("保存数据失败"));
    if (!refusal.isEmpty())
        return showMessage(this, refusal);
    ShowEntryDateAsStored();
    SearchFor(values[kIsbn]);
    OnCancelEdit();
}

void CBookAddDlg::ShowEntryDateAsStored()
{
    const QString stored = normalizedDateText(ui->m_edtEntryDate->text());
    if (!stored.isNull())
        ui->m_edtEntryDate->setText(stored);
}

void CBookAddDlg::OnDelete() { DeleteSelectedBook(); }

void CBookAddDlg::DeleteSelectedBook()
{
    const int row = ui->m_listLocal->GetFirstSelected();
    if (row < 0) {
        showMessage(this, QStringLiteral("没有选定记录!\n"));
        return;
    }
    const QString bookNo = ui->m_listLocal->GetItemText(row, kBookNo);
    if (askQuestion(this, QStringLiteral("确实删除该信息吗？"), QStringLiteral("清除记录"),
                    QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok)
        return;
    // A failed delete says nothing: the list, searched again, shows the copy still there.
    if (m_store.remove(bookNo) == DeleteOutcome::OnLoan) {
        showMessage(this, QStringLiteral("图书%1已借出，不能删除！").arg(bookNo));
        return;
    }
    OnSearchLocal();
}

void CBookAddDlg::OnIncBookNo() { ui->m_edtBookNo->setText(nextNumberText(ui->m_edtBookNo->text())); }

QString CBookAddDlg::ComputeCopyNo()
{
    try {
        return copyNumberText(theApp().m_ado, CopyTable::Books, ui->m_edtTitle->text());
    } catch (const DbError&) {
        showMessage(this, QStringLiteral("图书名称有非法字符，不能计算复本号！"));
        return {};
    }
}

void CBookAddDlg::OnCalcCopyNo()
{
    if (ui->m_edtTitle->text().isEmpty()) {
        showMessage(this, QStringLiteral("请输入书名！"));
        return;
    }
    ui->m_edtCopyNo->setText(ComputeCopyNo());
}

void CBookAddDlg::OnFindClassNo()
{
    CFindClassNoDlg picker(this);
    if (picker.exec() != QDialog::Accepted)
        return;
    ui->m_edtClassNo->setText(picker.m_strClassNo);
    if (!picker.m_strClassNo.isEmpty())
        MatchBookType();
}

void CBookAddDlg::MatchBookType()
{
    const QString type = typeContainingKey(comboEntries(ui->m_cmbBookType), classKey(ui->m_edtClassNo->text()));
    ui->m_cmbBookType->setCurrentText(type);
}

void CBookAddDlg::OnClassNoChange()
{
    const QString classNo = ui->m_edtClassNo->text();
    if (classNo.isEmpty())
        return;
    const QString type = typeStartingWithKey(comboEntries(ui->m_cmbBookType), classKey(classNo));
    if (!type.isEmpty())
        ui->m_cmbBookType->setCurrentText(type);
}

void CBookAddDlg::OnCalculator()
{
    CCalculatorDlg calculator(this);
    if (calculator.exec() == QDialog::Accepted)
        ui->m_edtPrice->setText(calculator.DisplayText());
}

void CBookAddDlg::OnShelfSettings()
{
    CShelfSettingDlg shelves(this);
    shelves.exec();
}

void CBookAddDlg::SearchFor(const QString& text)
{
    ui->m_edtSearch->setText(text);
    OnSearchLocal();
}

void CBookAddDlg::OnSearchLocal()
{
    QString filter;
    if (!SearchEdit::takeFilter(this, ui->m_edtSearch, filter))
        return;
    RecordsetPtr found = m_store.search(filter);
    long rows = 0;
    try {
        rows = found->GetRecordCount();
    } catch (const DbError&) {
        showMessage(this, QStringLiteral("图书数据出现错误!"));
        return;
    }
    // A search without hits changes nothing: the rows, the pages and the total stay, and
    // paging goes on over the rows shown.
    if (rows == 0) {
        showMessage(this, QStringLiteral("图书库没有数据!"));
        return;
    }
    m_pRecordset = std::move(found);
    m_paging->SetResult(static_cast<int>(rows));
}

void CBookAddDlg::ShowLocalPage(int)
{
    m_paging->FillList(ui->m_listLocal, m_pRecordset,
                       [](const CAdoRecordset& rs) { return rs.GetRowTexts().mid(1, kBookFieldCount); });
}

void CBookAddDlg::LoadSelectedBook()
{
    const int row = ui->m_listLocal->GetFirstSelected();
    if (row < 0) {
        showMessage(this, QStringLiteral("请选定记录！"));
        return;
    }
    SetFields(ui->m_listLocal->GetRowTexts(row));
    ui->m_edtSummary->clear();
}

// A scan of a whole ISBN looks the book up: in the catalogue first when "搜索本地" is
// ticked, and when it holds no copy at the online services, whose rows arrive while the
// window stays usable.
void CBookAddDlg::OnIsbnSearch()
{
    const QString isbn = ui->m_edtSearchIsbn->text();
    if (m_lookup->isRunning()) {
        ui->m_edtSearchIsbn->clear();
        return;
    }
    ui->m_progressSearch->setValue(0);
    if (isbn.size() < 13)
        return;
    ui->m_listResults->DeleteAllItems();
    if (ui->m_chkSearchLocal->isChecked()) {
        QList<QStringList> rows;
        try {
            rows = IsbnLookup::localRows(theApp().m_ado, isbn);
        } catch (const DbError&) {
            showMessage(this, QStringLiteral("操作失败"));
            return;
        }
        if (!rows.isEmpty()) {
            m_strSummary.clear();
            for (const QStringList& row : rows)
                ui->m_listResults->AddItem(row);
            ui->m_lblSearchStatus->setText(foundHereText(rows.size()));
            FillFormFromResults();
            ui->m_edtSearchIsbn->clear();
            return;
        }
    }
    m_strSummary.clear();
    ui->m_edtSearchIsbn->clear();
    if (!m_lookup->start(isbn, LookupSettings::read())) {
        ui->m_lblSearchStatus->setText(kNoServiceText);
        return;
    }
    ui->m_lblSearchStatus->setText(foundHereText(0));
}

void CBookAddDlg::AddResultRow(const QStringList& row)
{
    ui->m_listResults->AddItem(row);
    ui->m_lblSearchStatus->setText(foundText(m_lookup->hits()));
}

// After every service the form is filled again from the best row so far; the last fill wins.
void CBookAddDlg::OnSearchDone(int ended)
{
    ui->m_progressSearch->setValue(10 * ended);
    if (ended >= IsbnLookup::kServices)
        ui->m_lblSearchStatus->setText(m_lookup->reachedAny() ? endedText(m_lookup->hits()) : kUnreachedText);
    FillFormFromResults();
}

// The best row is the first with a classification number, else the first.
void CBookAddDlg::FillFormFromResults()
{
    const int rows = ui->m_listResults->GetItemCount();
    if (rows == 0)
        return;
    int chosen = 0;
    while (chosen < rows && ui->m_listResults->GetItemText(chosen, 1).isEmpty())
        ++chosen;
    CopyResultRow(ui->m_listResults->GetRowTexts(chosen < rows ? chosen : 0));
    ui->m_edtBookNo->setFocus();
}

void CBookAddDlg::OnResultDblClk()
{
    ui->m_edtSummary->clear();
    const int row = ui->m_listResults->GetFirstSelected();
    if (row < 0) {
        showMessage(this, QStringLiteral("没有选定记录!\n"));
        return;
    }
    CopyResultRow(ui->m_listResults->GetRowTexts(row));
}

void CBookAddDlg::CopyResultRow(const QStringList& row)
{
    ui->m_edtIsbn->setText(row.value(0));
    ui->m_edtClassNo->setText(row.value(1));
    ui->m_edtTitle->setText(row.value(2));
    ui->m_edtAuthor->setText(row.value(3));
    ui->m_cmbPublisher->setCurrentText(row.value(4));
    ui->m_edtPages->setText(row.value(5));
    if (!row.value(6).isEmpty())
        ui->m_cmbFormat->setCurrentText(row.value(6));
    ui->m_edtPubDate->setText(row.value(7));
    if (!row.value(8).isEmpty())
        ui->m_cmbEdition->setCurrentText(row.value(8));
    ui->m_edtPrice->setText(IsbnLookup::NumericPrefix(row.value(9)));
    ui->m_edtSummary->setPlainText(m_strSummary);
    if (ui->m_chkScanBookNo->isChecked())
        ui->m_edtBookNo->clear();
    MatchBookType();
    OnCalcCopyNo();
}

// Closing stops a running lookup's transfers; its workers never reach the window again.
void CBookAddDlg::reject()
{
    if (m_lookup->isRunning()) {
        if (askQuestion(this, QStringLiteral("搜索线程还没结束，强制退出会造成系统不稳定！"), QStringLiteral("警告"),
                        QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
            return;
        m_lookup->abort();
    }
    QDialog::reject();
}

// F2 adds, Up counts the book number up, Down computes the copy number and Right fills the
// form from the lookup's best row wherever the focus is; the keys still reach the focused
// control. Enter in 内容简介 moves on like Tab, as it does in the form's other fields.
bool CBookAddDlg::eventFilter(QObject* watched, QEvent* event)
{
    // Only the first delivery, to the focused control, counts; not its way up the parents.
    if (event->type() == QEvent::KeyPress && watched == focusWidget() && isAncestorOf(focusWidget())) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (watched == ui->m_edtSummary && isEnter(key)) {
            focusNextChild();
            return true;
        }
        switch (key->key()) {
        case Qt::Key_F2:
            OnAdd();
            break;
        case Qt::Key_Up:
            OnIncBookNo();
            break;
        case Qt::Key_Down:
            OnCalcCopyNo();
            break;
        case Qt::Key_Right:
            FillFormFromResults();
            break;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}
