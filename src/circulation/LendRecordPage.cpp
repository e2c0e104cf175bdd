#include "circulation/LendRecordPage.h"

#include "circulation/LoanQueries.h"
#include "controls/SkinButton.h"
#include "db/AppState.h"
#include "export/ListExport.h"

namespace {

// The price (field 9) shows third and the department (field 11) seventh.
QStringList loanRow(const CAdoRecordset& rs)
{
    QStringList row;
    for (int field : {1, 2, 9, 4, 5, 6, 11, 7, 8, 10})
        row << rs.GetCollect(field);
    return row;
}

CPagedSearchPage::Config loansConfig()
{
    CPagedSearchPage::Config config;
    config.searchLabel = QStringLiteral("输入查询内容");
    config.searchCaption = QStringLiteral("确定");
    config.exportCaption = QStringLiteral("导出数据");
    config.headings = QStringLiteral("图书编号,100;书名,120;图书价格,80;读者编号,100;读者姓名,100;读者类型,100;部门,120;"
                                     "借书日期,120;应还时间,120;操作员,80");
    config.pageSize = 30;
    config.pagesInTextOrder = true;
    config.pagesEditable = true;
    config.query = [](const QString& filter) { return LoanQueries(theApp().m_ado).currentLoans(filter); };
    config.listRow = loanRow;
    return config;
}

CListExport::Options exportOptions()
{
    CListExport::Options options;
    options.firstField = 1;
    options.lastField = 11;
    return options;
}

} // namespace

CLendRecordPage::CLendRecordPage(QWidget* parent) : CPagedSearchPage(loansConfig(), parent)
{
    m_export = new CListExport(this, ExportProgress(), ExportButton(), exportOptions());
    connect(ExportButton(), &QPushButton::clicked, this, [this] { m_export->Start(Result()); });
}
