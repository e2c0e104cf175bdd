#include "periodicals/PeriodicalSearchPage.h"

#include "ui_PeriodicalSearchPage.h"

#include "controls/ButtonIcons.h"
#include "controls/SearchText.h"
#include "db/AppState.h"
#include "export/SheetExport.h"
#include "periodicals/PeriodicalStockPages.h"
#include "periodicals/PeriodicalStore.h"

namespace {
// Every copy in stock, fields 1 to 16 as stored: 是否借出 stays "0" or "-1".
QList<QStringList> wholeStock()
{
    RecordsetPtr rs = PeriodicalStore(theApp().m_ado).search(QString());
    QList<QStringList> rows;
    for (; !rs->IsEOF(); rs->MoveNext())
        rows << rs->GetRowTexts().mid(1, kPdFieldCount + 1);
    return rows;
}
}

CPeriodicalSearchPage::CPeriodicalSearchPage(QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::CPeriodicalSearchPage>())
{
    ui->setupUi(this);
    m_pages = new PeriodicalStockPages(this,
                                       {ui->m_editSearch, ui->m_list, ui->m_btnPrev, ui->m_btnNext, ui->m_cmbPage,
                                        ui->m_staticPageInfo},
                                       PeriodicalStockPages::PageOrder::Numbers);
    connect(ui->m_btnSearch, &QPushButton::clicked, this, &CPeriodicalSearchPage::OnSearch);
    connect(ui->m_btnExport, &QPushButton::clicked, this, &CPeriodicalSearchPage::OnExportExcel);
    OnInitDialog();
}

CPeriodicalSearchPage::~CPeriodicalSearchPage() = default;

// The edit keeps what the librarian leaves in it, and Enter there searches nothing: it
// moves on as it does in any field of the query window (on a button it presses it). The
// progress bar stands idle, as the export writes on the window's own thread.
void CPeriodicalSearchPage::OnInitDialog()
{
    ui->m_btnExport->SetIconHandles(resourceIcon(202));
    ui->m_btnSearch->SetIconHandles(resourceIcon(192));
    ui->m_editSearch->setText(SearchText::allText());
}

void CPeriodicalSearchPage::OnSearch() { m_pages->Search(); }

// The whole stock, whatever the list shows.
void CPeriodicalSearchPage::OnExportExcel()
{
    const QStringList header = PeriodicalStore::columnNames() + QStringList{QStringLiteral("是否在馆")};
    exportQuerySheet(this, QStringLiteral("期刊信息"), header, wholeStock);
}
