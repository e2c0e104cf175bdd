#include "circulation/SchoolLendHistoryPage.h"

#include "ui_SchoolLendHistoryPage.h"

#include "circulation/SchoolLendHistory.h"
#include "controls/ComboFill.h"
#include "controls/PagedList.h"
#include "controls/Prompter.h"
#include "db/AppState.h"
#include "export/ListExport.h"

namespace {
const QString kAll = QStringLiteral("(全部)");

CListExport::Options exportOptions()
{
    CListExport::Options options;
    options.firstField = 0;
    options.lastField = 9;
    options.nothingMessage = QStringLiteral("没有查询信息!");
    options.refuseEmpty = false;
    options.filter = QStringLiteral("Excel文件(*.xls)");
    options.proposedName = QStringLiteral("图书信息查询结果");
    options.tabText = true;
    return options;
}
}

CSchoolLendHistoryPage::CSchoolLendHistoryPage(QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::CSchoolLendHistoryPage>())
{
    ui->setupUi(this);
    m_paged = new PagedList(this, kPageSize, ui->m_btnPrev, ui->m_btnNext, ui->m_cboPage, ui->m_staticPageInfo);
    m_export = new CListExport(this, ui->m_progress, ui->m_btnExport, exportOptions());
    connect(m_paged, &PagedList::pageChanged, this, &CSchoolLendHistoryPage::ShowPage);
    connect(ui->m_btnQuery, &QPushButton::clicked, this, &CSchoolLendHistoryPage::OnQuery);
    connect(ui->m_btnExport, &QPushButton::clicked, this, &CSchoolLendHistoryPage::OnExport);
    OnInitDialog();
}

CSchoolLendHistoryPage::~CSchoolLendHistoryPage() = default;

void CSchoolLendHistoryPage::OnInitDialog()
{
    ui->m_list->SetHeadings(QStringLiteral(
        "单位名称,100;书名,120;读者编号,80;读者姓名,80;读者类型,80;操作性质,80;操作时间,120;操作员,80"));
    ui->m_list->LoadColumnInfo();
    FillUnits();
}

void CSchoolLendHistoryPage::FillUnits()
{
    QStringList units{kAll};
    try {
        units << SchoolLendHistory(theApp().m_ado).schools();
    } catch (const DbError&) {
        showMessage(this, QStringLiteral("连接数据库失败！"));
    }
    fillSortedCombo(ui->m_cboUnit, units, 0);
}

void CSchoolLendHistoryPage::OnQuery()
{
    // The entry chosen from the list, not what may have been typed over it.
    const QString unit = ui->m_cboUnit->itemText(ui->m_cboUnit->currentIndex());
    if (unit.isEmpty())
        return showMessage(this, QStringLiteral("请输入用查询信息！"));
    try {
        const SchoolLendHistory history(theApp().m_ado);
        m_pResult = unit == kAll ? history.rows() : history.rowsOf(unit);
    } catch (const DbError&) {
        return;
    }
    const int count = int(m_pResult->GetRecordCount());
    // No rows: the page line and selector stay as the last query left them.
    if (count == 0) {
        ui->m_list->DeleteAllItems();
        return showMessage(this, QStringLiteral("没有找到相关信息的图书!"));
    }
    m_paged->SetResult(count);
}

void CSchoolLendHistoryPage::ShowPage() { m_paged->FillList(ui->m_list, m_pResult, SchoolLendHistory::listCells); }

void CSchoolLendHistoryPage::OnExport() { m_export->Start(m_pResult); }
