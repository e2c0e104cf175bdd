#include "circulation/OverduePage.h"

#include "circulation/LoanQueries.h"
#include "controls/SkinButton.h"
#include "core/Clock.h"
#include "db/AppState.h"
#include "export/SheetExport.h"

namespace {

const QString kSheet = QStringLiteral("到期未还读者信息");
// The sheet holds fields 1 to 11 in the table's order under these names.
constexpr int kFirstField = 1;
constexpr int kLastField = 11;

QStringList overdueRow(const CAdoRecordset& rs)
{
    QStringList row;
    for (int field : {1, 2, 4, 5, 11, 7, 8, 10})
        row << rs.GetCollect(field);
    return row;
}

} // namespace

CListQueryPage::Config COverduePage::ConfigFor(COverduePage* page)
{
    Config config;
    config.searchLabel = QStringLiteral("请输入读者编号:");
    config.searchCaption = QStringLiteral("确定");
    config.exportCaption = QStringLiteral("导出数据");
    config.headings = QStringLiteral("图书编号,100;书名,120;读者编号,100;读者姓名,100;部门,100;借书日期,120;应还时间,120;操作员,80");
    config.emptyRefusal = QStringLiteral("请输入用查询信息！");
    config.failure = QStringLiteral("操作失败!");
    config.query = [page](const QString& filter) {
        page->m_lastQuery = Query{filter, Clock::instance().now().date()};
        return LoanQueries(theApp().m_ado).overdue(filter, page->m_lastQuery->day);
    };
    config.listRow = overdueRow;
    return config;
}

COverduePage::COverduePage(QWidget* parent) : CListQueryPage(ConfigFor(this), parent)
{
    connect(ExportButton(), &QPushButton::clicked, this, &COverduePage::OnExport);
}

// Asks the last query again, by the day it was asked on: the sheet holds the loans that are
// overdue by that day now, whatever the list shows.
void COverduePage::OnExport()
{
    if (!m_lastQuery)
        return;
    const QStringList header{QStringLiteral("图书编号"), QStringLiteral("书名"),     QStringLiteral("条形码"),
                             QStringLiteral("读者编号"), QStringLiteral("读者姓名"), QStringLiteral("读者类别"),
                             QStringLiteral("借书日期"), QStringLiteral("应还日期"), QStringLiteral("图书价格"),
                             QStringLiteral("操作员"),   QStringLiteral("部门")};
    exportQuerySheet(this, kSheet, header, [query = *m_lastQuery] {
        RecordsetPtr rs = LoanQueries(theApp().m_ado).overdue(query.filter, query.day);
        QList<QStringList> rows;
        for (; !rs->IsEOF(); rs->MoveNext()) {
            QStringList row;
            for (int field = kFirstField; field <= kLastField; ++field)
                row << rs->GetCollect(field);
            rows << row;
        }
        return rows;
    });
}
