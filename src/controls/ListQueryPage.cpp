#include "controls/ListQueryPage.h"

#include "ui_ListQueryPage.h"

#include "controls/ButtonIcons.h"
#include "controls/Prompter.h"
#include "controls/SearchEdit.h"
#include "controls/SearchText.h"


CListQueryPage::CListQueryPage(Config config, QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::CListQueryPage>()), m_config(std::move(config)),
      m_enterKeys(this, m_config.searchIsDefault ? EnterKeyFilter::ButtonsPress : EnterKeyFilter::ButtonsMoveOn)
{
    ui->setupUi(this);
    connect(ui->m_btnQuery, &QPushButton::clicked, this, &CListQueryPage::OnQuery);
    m_enterKeys.onEnter(ui->m_editSearch, [this] { OnQuery(); });
    if (m_config.searchIsDefault)
        m_enterKeys.onEnter(this, [this] { ui->m_btnQuery->click(); });
    OnInitDialog();
}

CListQueryPage::~CListQueryPage() = default;

void CListQueryPage::OnInitDialog()
{
    ui->m_labelSearch->setText(m_config.searchLabel);
    ui->m_btnQuery->setText(m_config.searchCaption);
    ui->m_btnQuery->SetIconHandles(resourceIcon(m_config.searchIcon));
    ui->m_btnExport->setText(m_config.exportCaption);
    ui->m_btnExport->SetIconHandles(resourceIcon(m_config.exportIcon));
    ui->m_btnExport->setVisible(!m_config.exportCaption.isEmpty());
    if (m_config.editShowsAll && m_config.editClearsOnFocus)
        SearchEdit::attach(ui->m_editSearch);
    else if (m_config.editShowsAll)
        ui->m_editSearch->setText(SearchText::allText());
    ui->m_list->SetHeadings(m_config.headings);
    ui->m_list->LoadColumnInfo();
}

CSkinButton* CListQueryPage::ExportButton() const { return ui->m_btnExport; }

void CListQueryPage::OnQuery()
{
    // Where the edit never shows "(全部)", the words typed are searched as they stand.
    const SearchText::Filter filter = SearchText::read(
        ui->m_editSearch->text(), m_config.editShowsAll ? SearchText::AllText::EveryRow : SearchText::AllText::Typed);
    if (!filter.accepted && !m_config.emptyRefusal.isEmpty())
        return showMessage(this, m_config.emptyRefusal);
    RecordsetPtr result = openedResult(m_config.query, filter.text);
    if (!result)
        return showMessage(this, m_config.failure);
    m_result = result;
    FillList();
}

void CListQueryPage::FillList()
{
    // Every row goes in at once; the list is drawn again when all are there.
    ui->m_list->setUpdatesEnabled(false);
    ui->m_list->DeleteAllItems();
    try {
        for (m_result->MoveFirst(); !m_result->IsEOF(); m_result->MoveNext())
            ui->m_list->AddItem(m_config.listRow(*m_result));
    } catch (const DbError&) {
        showMessage(this, m_config.failure);
    }
    ui->m_list->setUpdatesEnabled(true);
}
