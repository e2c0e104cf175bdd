#include "circulation/LendHistoryPage.h"

#include "circulation/LoanQueries.h"
#include "controls/SkinButton.h"
#include "db/AppState.h"
#include "export/ListExport.h"

namespace {

// The department, last in the table, shows sixth; the export keeps the table's order.
QStringList historyRow(const CAdoRecordset& rs)
{
    QStringList row;
    for (int field : {0, 1, 2, 3, 4, 8, 5, 6, 7})
        row << rs.GetCollect(field);
    return row;
}

CPagedSearchPage::Config historyConfig()
{
    CPagedSearchPage::Config config;
    config.searchLabel = QStringLiteral("请输入查询信息");
    config.searchCaption = QStringLiteral("确定");
    config.exportCaption = QStringLiteral("导出到Excel");
    config.headings = QStringLiteral("图书编号,100;书名,120;读者编号,100;读者姓名,100;读者类型,100;部门,100;操作性质,100;"
                                     "操作时间,120;操作员,80");
    config.pageSize = 100;
    config.pagesInTextOrder = true;
    config.pagesEditable = true;
    config.query = [](const QString& filter) { return LoanQueries(theApp().m_ado).history(filter); };
    config.listRow = historyRow;
    return config;
}

CListExport::Options exportOptions()
{
    CListExport::Options options;
    options.firstField = 0;
    options.lastField = 8;
    return options;
}

} // namespace

CLendHistoryPage::CLendHistoryPage(QWidget* parent) : CPagedSearchPage(historyConfig(), parent)
{
    m_export = new CListExport(this, ExportProgress(), ExportButton(), exportOptions());
    connect(ExportButton(), &QPushButton::clicked, this, [this] { m_export->Start(Result()); });
}
