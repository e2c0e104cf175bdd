#include "catalogue/BookSearchPage.h"

#include "catalogue/BookStore.h"
#include "controls/SkinButton.h"
#include "controls/WindowTips.h"
#include "db/AppState.h"
#include "export/ListExport.h"

#include <QProgressBar>

namespace {

constexpr int kLentField = 16;

// Fields 1 to 16; the lent flag reads "未借" only when it is 0, so a reserved copy or one
// without a flag shows "已借".
QStringList bookRow(const CAdoRecordset& rs)
{
    QStringList row;
    for (int field = 1; field < kLentField; ++field)
        row << rs.GetCollect(field);
    row << (rs.GetCollect(kLentField) == QLatin1String("0") ? QStringLiteral("未借") : QStringLiteral("已借"));
    return row;
}

CPagedSearchPage::Config searchConfig()
{
    CPagedSearchPage::Config config;
    config.searchLabel = QStringLiteral("输入查询内容:");
    config.searchCaption = QStringLiteral("查找图书");
    config.searchTip = QStringLiteral("可输入图书的条码、编号或书名、著译着、出版处的关键字");
    config.exportCaption = QStringLiteral("结果导出到Excel");
    config.headings = QStringLiteral("条形码,120;图书编号,120;分类号,90;图书类别,120;复本号,80;书名,120;著译者,90;"
                                     "出版处,90;页数,60;开本,60;版期,60;版次,60;单价,60;书架名称,80;入库时间,80;"
                                     "是否借出,80");
    config.pageSize = 100;
    config.query = [](const QString& filter) { return CBookStore(theApp().m_ado).search(filter); };
    config.listRow = bookRow;
    return config;
}

CListExport::Options exportOptions()
{
    CListExport::Options options;
    options.firstField = 1;
    options.lastField = kLentField;
    return options;
}

} // namespace

CBookSearchPage::CBookSearchPage(QWidget* parent) : CPagedSearchPage(searchConfig(), parent)
{
    ExportButton()->hide();
    ExportButton()->setEnabled(false);
    // No button is handed to the export, so that its end does not enable the hidden one.
    m_export = new CListExport(this, ExportProgress(), nullptr, exportOptions());
    connect(ExportButton(), &QPushButton::clicked, this, &CBookSearchPage::OnExport);
    WindowTips::apply(this);
}

void CBookSearchPage::OnExport() { m_export->Start(Result()); }
