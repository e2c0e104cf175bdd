#include "periodicals/PeriodicalLendQueryPage.h"

#include "controls/SkinButton.h"
#include "db/AppState.h"
#include "export/SheetExport.h"
#include "periodicals/PeriodicalQueries.h"

namespace {

// A loan as the list and the sheet show it, read by name.
QStringList loanRow(const CAdoRecordset& rs)
{
    QStringList row;
    for (const char* column : {"期刊编号", "期刊名称", "读者编号", "读者姓名", "借书日期", "应还时间", "操作员"})
        row << rs.GetCollect(QString::fromUtf8(column));
    return row;
}

CListQueryPage::Config loansConfig()
{
    CListQueryPage::Config config;
    config.searchLabel = QStringLiteral("输入查询内容:");
    config.searchCaption = QStringLiteral("确定");
    config.exportCaption = QStringLiteral("导出数据");
    config.headings = QStringLiteral("期刊编号,80;期刊名称,100;读者编号,90;读者姓名,60;借阅日期,80;应还日期,80;操作员,60");
    config.emptyRefusal = QStringLiteral("请输入用查询信息！");
    config.editClearsOnFocus = false;
    config.searchIsDefault = true;
    config.failure = QStringLiteral("操作失败");
    config.query = [](const QString& filter) { return PeriodicalQueries(theApp().m_ado).loans(filter); };
    config.listRow = loanRow;
    return config;
}

// Every current loan, whatever the list shows. A failed query throws DbError.
QList<QStringList> everyLoan()
{
    RecordsetPtr rs = PeriodicalQueries(theApp().m_ado).loans(QString());
    QList<QStringList> rows;
    for (; !rs->IsEOF(); rs->MoveNext())
        rows << loanRow(*rs);
    return rows;
}

} // namespace

CPeriodicalLendQueryPage::CPeriodicalLendQueryPage(QWidget* parent) : CListQueryPage(loansConfig(), parent)
{
    connect(ExportButton(), &QPushButton::clicked, this, &CPeriodicalLendQueryPage::OnExport);
}

void CPeriodicalLendQueryPage::OnExport()
{
    const QStringList header{QStringLiteral("期刊编号"), QStringLiteral("期刊名称"), QStringLiteral("读者编号"),
                             QStringLiteral("读者姓名"), QStringLiteral("借阅日期"), QStringLiteral("应还日期"),
                             QStringLiteral("操作员")};
    exportQuerySheet(this, QStringLiteral("期刊借阅信息"), header, everyLoan);
}
