#include "maintenance/AssetReportDlg.h"

#include "ui_AssetReportDlg.h"

#include "controls/PagedList.h"
#include "controls/Prompter.h"
#include "core/Clock.h"
#include "db/AppState.h"
#include "export/ListExport.h"

#include <QProgressBar>

#include <algorithm>

namespace {
constexpr int kPageSize = 50;
const QString kNoRows = QStringLiteral("没有找到相关信息的图书!");
}

CAssetReportDlg::CAssetReportDlg(AssetReport::Spec spec, AssetReportTexts texts, QWidget* parent)
    : CPageDialog(parent), ui(std::make_unique<Ui::CAssetReportDlg>()), m_spec(std::move(spec))
{
    ui->setupUi(this);
    ui->m_btnGenerate->setText(texts.generateCaption);
    ui->m_btnSearch->setText(texts.searchCaption);
    ui->m_list->SetHeadings(texts.headings);
    connect(ui->m_btnGenerate, &QPushButton::clicked, this, &CAssetReportDlg::OnGenerate);
    connect(ui->m_btnSearch, &QPushButton::clicked, this, &CAssetReportDlg::OnSearch);
    connect(ui->m_btnQuery, &QPushButton::clicked, this, &CAssetReportDlg::OnQuery);
    connect(ui->m_radioAll, &QRadioButton::clicked, this, &CAssetReportDlg::OnRadioAll);
    connect(ui->m_radioPeriod, &QRadioButton::clicked, this, &CAssetReportDlg::OnRadioPeriod);
    m_pages = new PagedList(this, kPageSize, ui->m_btnPrev, ui->m_btnNext, ui->m_cmbPage, ui->m_staticPageInfo);
    connect(m_pages, &PagedList::pageChanged, this, &CAssetReportDlg::ShowPage);
    connect(ui->m_btnExport, &QPushButton::clicked, this, &CAssetReportDlg::OnExportExcel);
    OnInitDialog();
}

CAssetReportDlg::~CAssetReportDlg() = default;

void CAssetReportDlg::OnInitDialog()
{
    const QDate today = Clock::instance().now().date();
    ui->m_dateFrom->setDate(today);
    ui->m_dateTo->setDate(today);
    ui->m_list->LoadColumnInfo();
    CListExport::Options options;
    options.firstField = AssetReport::kFirstShown;
    options.lastField = AssetReport::kLastShown;
    options.nothingMessage = m_spec.nothingToExport;
    options.progressScaleFrom = 65536;
    options.numericFields = AssetReport::numberColumns();
    // The totals row sums the rows written, whatever the window shows meanwhile.
    options.footer = [](const RowBlock& rows) { return QList<QStringList>{AssetReport::TotalsRow(rows)}; };
    m_export = new CListExport(this, ui->m_progressExport, ui->m_btnExport, options);
}

AssetReport CAssetReportDlg::Report() const { return AssetReport(theApp().m_ado, m_spec); }

void CAssetReportDlg::OnGenerate()
{
    if (Prompter::instance().ask(this, QStringLiteral("初始化将清除原来的报表信息？"), QStringLiteral("确定"),
                                 QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Question, QMessageBox::NoButton)
        != QMessageBox::Ok)
        return;
    QProgressBar* bar = ui->m_progressGenerate;
    const std::optional<AssetReport::Failure> failure = Report().Generate([bar](int, int done, int total) {
        // A range of 0 to 0 would show a busy bar; an empty phase shows an empty one.
        bar->setRange(0, std::max(total, 1));
        bar->setValue(done);
    });
    if (failure) {
        bar->setValue(0);
        return showMessage(this, failure->text + QLatin1Char('\n') + failure->reason);
    }
    OnSearch();
    ShowTotals(std::nullopt);
}

void CAssetReportDlg::OnSearch()
{
    try {
        ShowResult(Report().Search(ui->m_editSearch->text()));
    } catch (const DbError&) {
        showMessage(this, QStringLiteral("操作失败"));
    }
}

void CAssetReportDlg::OnQuery()
{
    std::optional<DateRange> range;
    if (ui->m_radioPeriod->isChecked())
        range = DateRange{ui->m_dateFrom->date(), ui->m_dateTo->date()};
    try {
        if (!ShowResult(Report().Query(range)))
            return;
    } catch (const DbError&) {
        return showMessage(this, QStringLiteral("操作失败"));
    }
    ShowTotals(range);
}

bool CAssetReportDlg::ShowResult(const RecordsetPtr& result)
{
    m_pRecordset = result;
    m_rows = result->SharedRows();
    if (m_rows->rowCount() == 0) {
        // The pages and the totals stay as they were; paging then shows the empty result.
        ui->m_list->DeleteAllItems();
        showMessage(this, kNoRows);
        return false;
    }
    m_pages->SetResult(m_rows->rowCount());
    return true;
}

void CAssetReportDlg::ShowTotals(const std::optional<DateRange>& range)
{
    QStringList totals;
    try {
        totals = Report().Totals(range);
    } catch (const DbError&) {
        return showMessage(this, QStringLiteral("数据汇总失败"));
    }
    const QList<QLineEdit*> edits = {ui->m_editQuantity, ui->m_editValue, ui->m_editWeeded, ui->m_editLost,
                                     ui->m_editSubtotal, ui->m_editStock, ui->m_editNetValue};
    for (int i = 0; i < edits.size(); ++i)
        edits[i]->setText(totals.value(i));
}

void CAssetReportDlg::ShowPage()
{
    ui->m_list->DeleteAllItems();
    const PageCursor& cursor = m_pages->Cursor();
    const int first = cursor.GetFirstRow();
    const int end = std::min(first + cursor.GetRowsOnPage(), m_rows->rowCount());
    for (int row = first; row < end; ++row) {
        QStringList texts;
        for (int column = AssetReport::kFirstShown; column <= AssetReport::kLastShown; ++column)
            texts << m_rows->text(row, column);
        ui->m_list->AddItem(texts);
    }
}

void CAssetReportDlg::OnRadioAll()
{
    ui->m_dateFrom->setEnabled(false);
    ui->m_dateTo->setEnabled(false);
}

void CAssetReportDlg::OnRadioPeriod()
{
    ui->m_dateFrom->setEnabled(true);
    ui->m_dateTo->setEnabled(true);
}

void CAssetReportDlg::OnExportExcel() { m_export->Start(m_pRecordset); }

CBookAssetReportDlg::CBookAssetReportDlg(QWidget* parent)
    : CAssetReportDlg(AssetReport::Spec::forBooks(),
                      {QStringLiteral("生成图书报表数据"), QStringLiteral("查询"),
                       QStringLiteral("资产编号,80;资产名称,100;资产类别,100;明细分类,80;单价,50;数量,50;取得时间,100;"
                                      "总价,50;剔旧,50;丢失,50;小计,50;报损日期,100;库存数量,50;库存净值,60;")},
                      parent)
{
    setObjectName(QStringLiteral("CBookAssetReportDlg"));
}

CPeriodicalAssetReportDlg::CPeriodicalAssetReportDlg(QWidget* parent)
    : CAssetReportDlg(AssetReport::Spec::forPeriodicals(),
                      {QStringLiteral("生成期刊报表数据"), QStringLiteral("确定"),
                       QStringLiteral("资产编号,80;资产名称,100;资产类别,100;明细分类,80;单价,50;数量,50;取得时间,100;"
                                      "总价,50;剔旧,50;丢失,50;小计,50;报损日期,100;库存数量,50;库存净值,80;")},
                      parent)
{
    setObjectName(QStringLiteral("CPeriodicalAssetReportDlg"));
}
