#include "circulation/ReaderAddDlg.h"

#include "ui_ReaderAddDlg.h"

#include "circulation/LendingService.h"
#include "controls/ComboFill.h"
#include "controls/ListClicks.h"
#include "circulation/ReaderDeptDlg.h"
#include "circulation/ReaderRegister.h"
#include "circulation/ReaderTypeDlg.h"
#include "controls/PagedList.h"
#include "controls/Prompter.h"
#include "controls/SearchEdit.h"
#include "controls/WindowTips.h"
#include "core/DateText.h"
#include "core/NumberSequence.h"
#include "db/AppState.h"

namespace {

constexpr int kPageSize = 50;

QStringList typeNames(const ReaderRegister& readers)
{
    QStringList names;
    for (const ReaderType& type : readers.types())
        names << type.name;
    return names;
}

} // namespace

CReaderAddDlg::CReaderAddDlg(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::CReaderAddDlg>())
{
    ui->setupUi(this);
    m_paging = new PagedList(this, kPageSize, ui->m_btnPrev, ui->m_btnNext, ui->m_cmbPage, ui->m_staticPageInfo);
    connect(m_paging, &PagedList::pageChanged, this, &CReaderAddDlg::FillPage);
    connect(ui->m_cmbType, &QComboBox::currentIndexChanged, this, &CReaderAddDlg::OnSelchangeType);
    connect(ui->m_btnNextNumber, &QPushButton::clicked, this, &CReaderAddDlg::OnNextNumber);
    connect(ui->m_btnSearch, &QPushButton::clicked, this, &CReaderAddDlg::OnSearch);
    connect(ui->m_btnAdd, &QPushButton::clicked, this, &CReaderAddDlg::OnAdd);
    connect(ui->m_btnEdit, &QPushButton::clicked, this, &CReaderAddDlg::OnEdit);
    connect(ui->m_btnCancel, &QPushButton::clicked, this, &CReaderAddDlg::OnCancelEdit);
    connect(ui->m_btnSave, &QPushButton::clicked, this, &CReaderAddDlg::OnSave);
    connect(ui->m_btnDelete, &QPushButton::clicked, this, &CReaderAddDlg::OnDelete);
    connect(ui->m_btnTypes, &QPushButton::clicked, this, &CReaderAddDlg::OnReaderTypes);
    connect(ui->m_btnDepts, &QPushButton::clicked, this, &CReaderAddDlg::OnDepartments);
    ListClicks::watch(ui->m_list, ListClicks::DoubleClick, [this] { OnDblclkList(); });
    OnInitDialog();
}

CReaderAddDlg::~CReaderAddDlg() = default;

void CReaderAddDlg::OnInitDialog()
{
    SearchEdit::attach(ui->m_editSearch);
    SetEditState(false);
    ui->m_list->SetHeadings(readerListHeadings());
    ui->m_list->LoadColumnInfo();
    WindowTips::apply(this);
    ResetForm();
    ui->m_editNo->setFocus();
}

void CReaderAddDlg::ResetForm()
{
    ui->m_cmbSex->setCurrentIndex(0);
    try {
        ReaderRegister readers(theApp().m_ado);
        fillSortedCombo(ui->m_cmbDept, readers.departments(), 0);
        const QSignalBlocker quiet(ui->m_cmbType);
        fillSortedCombo(ui->m_cmbType, typeNames(readers), 0);
        ShowTypeTerms(ui->m_cmbType->currentText());
    } catch (const DbError&) {
        return showMessage(this, QStringLiteral("操作失败"));
    }
    ui->m_editDate->setText(todayText());
    ui->m_editNo->clear();
    ui->m_editName->clear();
}

bool CReaderAddDlg::ShowTypeTerms(const QString& typeName)
{
    const std::optional<ReaderType> type = ReaderRegister(theApp().m_ado).type(typeName);
    if (type) {
        ui->m_editPeriod->setText(type->period);
        ui->m_editLimit->setText(type->limit);
    }
    return type.has_value();
}

// A type deleted since the combo was filled has no terms to show.
void CReaderAddDlg::OnSelchangeType()
{
    try {
        if (ShowTypeTerms(ui->m_cmbType->currentText()))
            return;
    } catch (const DbError&) {
        // Said as a missing type is.
    }
    showMessage(this, QStringLiteral("操作失败"));
}

void CReaderAddDlg::OnNextNumber() { ui->m_editNo->setText(nextNumberText(ui->m_editNo->text())); }

void CReaderAddDlg::OnSearch()
{
    QString filter;
    if (!SearchEdit::takeFilter(this, ui->m_editSearch, filter))
        return;
    try {
        m_pRecordset = ReaderRegister(theApp().m_ado).search(filter);
        // No reader found: the page line and selector stay as the last search left them.
        if (m_pRecordset->GetRecordCount() == 0) {
            ui->m_list->DeleteAllItems();
            return showMessage(this, QStringLiteral("没有找到相关读者的信息!"));
        }
        m_paging->SetResult(static_cast<int>(m_pRecordset->GetRecordCount()));
    } catch (const DbError&) {
        showMessage(this, QStringLiteral("操作失败"));
    }
}

void CReaderAddDlg::FillPage() { m_paging->FillList(ui->m_list, m_pRecordset, readerListRow); }

void CReaderAddDlg::ShowAllReaders()
{
    ui->m_list->DeleteAllItems();
    try {
        for (RecordsetPtr rs = ReaderRegister(theApp().m_ado).all(); !rs->IsEOF(); rs->MoveNext())
            ui->m_list->AddItem(readerListRow(*rs));
    } catch (const DbError&) {
        showMessage(this, QStringLiteral("操作失败"));
    }
}

void CReaderAddDlg::OnDblclkList()
{
    const int row = ui->m_list->GetFirstSelected();
    if (row < 0)
        return ResetForm();
    const QStringList texts = ui->m_list->GetRowTexts(row);
    ui->m_editNo->setText(texts.value(0));
    ui->m_editName->setText(texts.value(1));
    ui->m_cmbSex->setEditText(texts.value(2));
    {
        const QSignalBlocker quiet(ui->m_cmbType);
        ui->m_cmbType->setEditText(texts.value(3));
    }
    ui->m_editPeriod->setText(texts.value(4));
    ui->m_cmbDept->setEditText(texts.value(5));
    ui->m_editLimit->setText(texts.value(6));
    ui->m_editDate->setText(texts.value(7));
    ui->m_editRemark->setText(texts.value(9));
}

ReaderForm CReaderAddDlg::Form() const
{
    return {ui->m_editNo->text(),     ui->m_editName->text(),  ui->m_cmbSex->currentText(),
            ui->m_cmbType->currentText(), ui->m_editPeriod->text(), ui->m_cmbDept->currentText(),
            ui->m_editLimit->text(),  ui->m_editDate->text(),  ui->m_editRemark->text()};
}

bool CReaderAddDlg::CheckRequired(const ReaderForm& form)
{
    const QString refusal = form.number.isEmpty() ? QStringLiteral("请输入读者编号!\n")
        : form.name.isEmpty()                     ? QStringLiteral("请输入读者姓名!\n")
        : form.period.isEmpty()                   ? QStringLiteral("请输入借阅期限!\n")
        : form.limit.isEmpty()                    ? QStringLiteral("数量限制不能为空!\n")
                                                  : QString();
    if (!refusal.isEmpty())
        showMessage(this, refusal);
    return refusal.isEmpty();
}

void CReaderAddDlg::OnAdd()
{
    const ReaderForm form = Form();
    if (!CheckRequired(form))
        return;
    ReaderRegister readers(theApp().m_ado);
    try {
        if (readers.exists(form.number))
            return showMessage(this, QStringLiteral("这个编号已存在!\n"));
    } catch (const DbError&) {
        return showMessage(this, QStringLiteral("操作失败"));
    }
    try {
        readers.add(form);
    } catch (const DbError&) {
        return showMessage(this, QStringLiteral("添加数据失败！"));
    }
    ShowAllReaders();
}

void CReaderAddDlg::OnEdit() { SetEditState(true); }

void CReaderAddDlg::OnCancelEdit() { SetEditState(false); }

// A button that turns grey under the focus hands it to the button of the other state, not on
// to the search edit, which would empty itself of its "(全部)".
void CReaderAddDlg::SetEditState(bool editing)
{
    const QList<QWidget*> browsing{ui->m_editNo, ui->m_btnAdd, ui->m_btnEdit, ui->m_btnDelete};
    const QList<QWidget*> saving{ui->m_btnSave, ui->m_btnCancel};
    for (QWidget* w : editing ? saving : browsing)
        w->setEnabled(true);
    if ((editing ? browsing : saving).contains(focusWidget()))
        (editing ? ui->m_btnSave : ui->m_btnEdit)->setFocus();
    for (QWidget* w : editing ? browsing : saving)
        w->setEnabled(false);
}

void CReaderAddDlg::OnSave()
{
    const ReaderForm form = Form();
    if (!CheckRequired(form))
        return;
    try {
        ReaderRegister readers(theApp().m_ado);
        const bool saved = readers.save(form);
        // Until the next search the pages are cut from this reader's row alone.
        m_pRecordset = readers.reader(form.number);
        if (!saved)
            return showMessage(this, QStringLiteral("操作失败"));
    } catch (const DbError&) {
        return showMessage(this, QStringLiteral("操作失败"));
    }
    ShowAllReaders();
    SetEditState(false);
}

void CReaderAddDlg::OnDelete()
{
    const int row = ui->m_list->GetFirstSelected();
    if (row < 0 || ui->m_editNo->text().isEmpty())
        return showMessage(this, QStringLiteral("没有选定读者!\n"));
    const QString number = ui->m_list->GetItemText(row, 0);
    ReaderRegister readers(theApp().m_ado);
    try {
        if (LendingService(theApp().m_ado, QString()).loanCount(number) > 0)
            return showMessage(this, QStringLiteral("图书还没还清！"));
    } catch (const DbError&) {
        return showMessage(this, QStringLiteral("操作失败"));
    }
    if (askQuestion(this, QStringLiteral("确实删除该信息吗？"), QStringLiteral("注销读者"),
                    QMessageBox::Ok | QMessageBox::Cancel)
        != QMessageBox::Ok)
        return;
    try {
        if (readers.remove(number) == ReaderRegister::Removal::HasLoans)
            return showMessage(this, QStringLiteral("图书还没还清！"));
    } catch (const DbError&) {
        // Not said: the search that follows still lists the reader.
    }
    ResetForm();
    OnSearch();
}

// What the sub-windows change reaches the combos at the next reset of the form.
void CReaderAddDlg::OnReaderTypes()
{
    CReaderTypeDlg dlg(this);
    dlg.exec();
}

void CReaderAddDlg::OnDepartments()
{
    CReaderDeptDlg dlg(this);
    dlg.exec();
}
