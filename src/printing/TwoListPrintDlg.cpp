#include "printing/TwoListPrintDlg.h"

#include "ui_TwoListPrintDlg.h"

#include "controls/ButtonIcons.h"
#include "controls/ComboFill.h"
#include "controls/ListClicks.h"
#include "controls/ListSelection.h"
#include "controls/PagedList.h"
#include "controls/Prompter.h"
#include "controls/SearchEdit.h"
#include "controls/WindowTips.h"
#include "db/AdoRecordset.h"
#include "printing/PageIndicator.h"
#include "printing/PagePrinter.h"
#include "printing/PageSource.h"
#include "printing/PrintList.h"

#include <algorithm>

CTwoListPrintDlg::CTwoListPrintDlg(const Texts& texts, QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::CTwoListPrintDlg>())
    , m_bPrintPagingPreviews(texts.printPagingPreviews)
{
    ui->setupUi(this);
    setWindowTitle(texts.title);
    ui->m_btnSearch->SetIconHandles(resourceIcon(265));
    ui->m_btnAdd->SetIconHandles(resourceIcon(283));
    ui->m_btnRemove->SetIconHandles(resourceIcon(284));
    ui->m_btnPreview->SetIconHandles(resourceIcon(266));
    ui->m_btnPrint->SetIconHandles(resourceIcon(267));
    ui->m_btnSetting->SetIconHandles(resourceIcon(135));
    ui->m_btnCancel->SetIconHandles(resourceIcon(215));
    ui->m_comboColumn->setVisible(!texts.columns.isEmpty());
    fillSortedCombo(ui->m_comboColumn, texts.columns, 0);
    SearchEdit::attach(ui->m_editSearch);
    ui->m_editSearch->setToolTip(texts.searchTip);
    if (texts.moveTips) {
        ui->m_btnAdd->setToolTip(QStringLiteral("将选定记录添加到打印窗口"));
        ui->m_btnRemove->setToolTip(QStringLiteral("清除选定记录"));
    }
    WindowTips::apply(this);
    // The search text keeps "(全部)" until the librarian goes into it, which empties it.
    ui->m_btnSearch->setFocus();
    for (CReportListCtrl* list : {ui->m_listCandidates, ui->m_listPrint}) {
        list->SetHeadings(texts.headings);
        list->SetCheckBoxes(true);
        list->LoadColumnInfo();
    }
    m_candidatePaging = new PagedList(this, 1, ui->m_btnCandidatePrevious, ui->m_btnCandidateNext,
                                      ui->m_comboCandidatePage);
    m_printPaging = new PagedList(this, 1, ui->m_btnPrintPrevious, ui->m_btnPrintNext, ui->m_comboPrintPage);
    reservePageIndicator(ui->m_labelPage);
    connect(m_candidatePaging, &PagedList::pageChanged, this, &CTwoListPrintDlg::FillCandidatePage);
    connect(m_printPaging, &PagedList::pageChanged, this, &CTwoListPrintDlg::FillPrintPage);
    connect(ui->m_btnSearch, &QPushButton::clicked, this, &CTwoListPrintDlg::OnSearch);
    connect(ui->m_btnAdd, &QPushButton::clicked, this, &CTwoListPrintDlg::OnAddToPrintList);
    connect(ui->m_btnRemove, &QPushButton::clicked, this, &CTwoListPrintDlg::OnRemoveFromPrintList);
    connect(ui->m_btnPreview, &QPushButton::clicked, this, &CTwoListPrintDlg::ShowPreview);
    connect(ui->m_btnPrint, &QPushButton::clicked, this, &CTwoListPrintDlg::OnPrint);
    connect(ui->m_btnSetting, &QPushButton::clicked, this, [this] { OnSetting(); });
    connect(ui->m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    // Only the librarian's own clicks on the boxes tick or untick the rows.
    connect(ui->m_checkAllResults, &QCheckBox::clicked, this,
            [this](bool on) { checkAllRows(*ui->m_listCandidates, on); });
    connect(ui->m_checkAllPrint, &QCheckBox::clicked, this, [this](bool on) { checkAllRows(*ui->m_listPrint, on); });
    ListClicks::watch(ui->m_listCandidates, ListClicks::Click, [this] { ui->m_checkAllResults->setChecked(false); });
    ListClicks::watch(ui->m_listPrint, ListClicks::Click, [this] { ui->m_checkAllPrint->setChecked(false); });
    if (texts.enterSearches)
        m_enterKeys.onEnter(ui->m_editSearch, [this] { OnSearch(); });
}

CTwoListPrintDlg::~CTwoListPrintDlg() = default;

void CTwoListPrintDlg::Start(PrintList& items, PageSource& pages, double dotsPerInch, PagePreview::ViewRule rule)
{
    ui->m_preview->SetViewRule(rule);
    m_items = &items;
    m_pages = &pages;
    m_dDotsPerInch = dotsPerInch;
    PagesChanged();
}

void CTwoListPrintDlg::PagesChanged()
{
    if (ui->m_preview->PageSurface().size() != m_pages->PageSize())
        ui->m_preview->SetPageSize(m_pages->PageSize(), static_cast<int>(m_dDotsPerInch));
    m_candidatePaging->SetPageSize(ItemsPerPage());
    m_printPaging->SetPageSize(ItemsPerPage());
    ShowPreview();
}

void CTwoListPrintDlg::ShowPreview()
{
    ui->m_preview->ShowPage(*m_pages, std::min(m_printPaging->Cursor().GetPage(), m_pages->PageCount()));
}

void CTwoListPrintDlg::OnSearch()
{
    QString filter;
    if (!SearchEdit::takeFilter(this, ui->m_editSearch, filter))
        return;
    try {
        m_result = Search(filter, ui->m_comboColumn->currentText());
    } catch (const DbError&) {
        return showMessage(this, QStringLiteral("操作失败"));
    }
    // An empty result replaces the last one too, so that adding the whole result adds
    // nothing; the page selector stays as it was.
    if (m_result.empty()) {
        ui->m_listCandidates->DeleteAllItems();
        return showMessage(this, NothingFoundText());
    }
    m_candidatePaging->SetResult(static_cast<int>(m_result.size()));
}

void CTwoListPrintDlg::FillCandidatePage(int)
{
    const PageCursor& cursor = m_candidatePaging->Cursor();
    ui->m_listCandidates->DeleteAllItems();
    const int end = std::min(cursor.GetFirstRow() + cursor.GetRowsOnPage(), static_cast<int>(m_result.size()));
    for (int row = cursor.GetFirstRow(); row < end; ++row)
        ui->m_listCandidates->AddItem(m_result[row]);
    ShowPreview();
}

void CTwoListPrintDlg::FillPrintPage(int page)
{
    const PageCursor& cursor = m_printPaging->Cursor();
    ui->m_labelPage->setText(pageIndicatorText(page, cursor.GetPageCount()));
    ui->m_listPrint->DeleteAllItems();
    for (int index = cursor.GetFirstRow(); index < cursor.GetFirstRow() + cursor.GetRowsOnPage(); ++index) {
        const int row = ui->m_listPrint->AddItem(m_items->Texts(index));
        // Rows keep their item through sorting by a heading.
        ui->m_listPrint->SetItemData(row, index);
    }
    if (m_bPrintPagingPreviews)
        ShowPreview();
}

void CTwoListPrintDlg::OnAddToPrintList()
{
    if (ui->m_checkAllResults->isChecked()) {
        for (const QStringList& row : m_result)
            m_items->Append(row);
    } else {
        // From the last marked row up, as the librarian's list has always done.
        const QList<int> rows = markedRows(*ui->m_listCandidates);
        for (auto row = rows.crbegin(); row != rows.crend(); ++row)
            m_items->Append(ui->m_listCandidates->GetRowTexts(*row));
    }
    ui->m_checkAllResults->setChecked(false);
    checkAllRows(*ui->m_listCandidates, false);
    ShowPrintList();
}

void CTwoListPrintDlg::OnRemoveFromPrintList()
{
    if (ui->m_checkAllPrint->isChecked()) {
        m_items->Clear();
    } else {
        QList<int> indexes;
        for (int row : markedRows(*ui->m_listPrint))
            indexes << ui->m_listPrint->GetItemData(row).toInt();
        m_items->Remove(indexes);
    }
    ui->m_checkAllPrint->setChecked(false);
    ShowPrintList();
}

void CTwoListPrintDlg::ShowPrintList()
{
    PrintListChanged();
    m_printPaging->SetResult(m_items->Count());
    // Filling page 1 has shown it already where print paging shows its pages.
    if (!m_bPrintPagingPreviews)
        ShowPreview();
}

PagePreview& CTwoListPrintDlg::Preview() const { return *ui->m_preview; }

void CTwoListPrintDlg::OnPrint()
{
    if (ConfirmPrint())
        PagePrinter::Print(this, *m_pages, m_dDotsPerInch);
}
