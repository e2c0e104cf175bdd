#include "circulation/OverduePage.h"

#include "circulation/LoanQueries.h"
#include "controls/SkinButton.h"
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

CListQueryPage::Config overdueConfig()
{
    CListQueryPage::Config config;
    config.searchLabel = QStringLiteral("请输入读者编号:");
    config.searchCaption = QStringLiteral("确定");
    config.exportCaption = QStringLiteral("导出数据");
    config.headings = QStringLiteral("图书编号,100;书名,120;读者编号,100;读者姓名,100;部门,100;借书日期,120;应还时间,120;操作员,80");
    config.emptyRefusal = QStringLiteral("请输入用查询信息！");
    config.failure = QStringLiteral("操作失败!");
    config.query = [](const QString& filter) { return LoanQueries(theApp().m_ado).overdue(filter); };
    config.listRow = overdueRow;
    return config;
}

} // namespace

COverduePage::COverduePage(QWidget* parent) : CListQueryPage(overdueConfig(), parent)
{
    connect(ExportButton(), &QPushButton::clicked, this, &COverduePage::OnExport);
}

// Writes the rows of the last query as they were listed; the query is not run again.
void COverduePage::OnExport()
{
    if (!Result())
        return;
    const QStringList header{QStringLiteral("图书编号"), QStringLiteral("书名"),     QStringLiteral("条形码"),
                             QStringLiteral("读者编号"), QStringLiteral("读者姓名"), QStringLiteral("读者类别"),
                             QStringLiteral("借书日期"), QStringLiteral("应还日期"), QStringLiteral("图书价格"),
                             QStringLiteral("操作员"),   QStringLiteral("部门")};
    exportQuerySheet(this, kSheet, header, [this] {
        const RowBlock& block = *Result()->SharedRows();
        QList<QStringList> rows;
        for (int r = 0; r < block.rowCount(); ++r) {
            QStringList row;
            for (int field = kFirstField; field <= kLastField; ++field)
                row << block.text(r, field);
            rows << row;
        }
        return rows;
    });
}
