#include "controls/PagedSearchPage.h"

#include "ui_PagedSearchPage.h"

#include "controls/ButtonIcons.h"
#include "controls/PagedList.h"
#include "controls/Prompter.h"
#include "controls/SearchEdit.h"
#include "controls/SearchText.h"


CPagedSearchPage::CPagedSearchPage(Config config, QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::CPagedSearchPage>()), m_config(std::move(config))
{
    ui->setupUi(this);
    ui->m_cmbPage->setEditable(m_config.pagesEditable);
    m_paging = new PagedList(this, m_config.pageSize, ui->m_btnPrev, ui->m_btnNext, ui->m_cmbPage, ui->m_staticPageInfo);
    m_paging->SetPagesInTextOrder(m_config.pagesInTextOrder);
    connect(m_paging, &PagedList::pageChanged, this, &CPagedSearchPage::FillPage);
    connect(ui->m_btnSearch, &QPushButton::clicked, this, &CPagedSearchPage::OnSearch);
    m_enterKeys.onEnter(ui->m_editSearch, [this] { OnSearch(); });
    OnInitDialog();
}

CPagedSearchPage::~CPagedSearchPage() = default;

void CPagedSearchPage::OnInitDialog()
{
    ui->m_labelSearch->setText(m_config.searchLabel);
    ui->m_btnSearch->setText(m_config.searchCaption);
    ui->m_btnSearch->SetIconHandles(resourceIcon(192));
    ui->m_btnExport->setText(m_config.exportCaption);
    ui->m_btnExport->SetIconHandles(resourceIcon(202));
    ui->m_editSearch->setToolTip(m_config.searchTip);
    if (m_config.editClearsOnFocus)
        SearchEdit::attach(ui->m_editSearch);
    else
        ui->m_editSearch->setText(SearchText::allText());
    ui->m_list->SetHeadings(m_config.headings);
    ui->m_list->LoadColumnInfo();
}

CSkinButton* CPagedSearchPage::ExportButton() const { return ui->m_btnExport; }

QProgressBar* CPagedSearchPage::ExportProgress() const { return ui->m_progress; }

void CPagedSearchPage::OnSearch()
{
    QString filter;
    if (!SearchEdit::takeFilter(this, ui->m_editSearch, filter))
        return;
    RecordsetPtr result = openedResult(m_config.query, filter);
    if (!result)
        return showMessage(this, QStringLiteral("操作失败"));
    // An empty result replaces the last one too, so that paging and export say so; the page
    // line and selector stay as they were.
    m_result = result;
    const long rows = m_result->GetRecordCount();
    if (rows == 0) {
        ui->m_list->DeleteAllItems();
        return showMessage(this, m_config.notFound);
    }
    m_paging->SetResult(static_cast<int>(rows));
}

void CPagedSearchPage::FillPage() { m_paging->FillList(ui->m_list, m_result, m_config.listRow); }
