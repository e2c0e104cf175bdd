#include "periodicals/PeriodicalSearchPage.h"

#include "controls/SkinButton.h"
#include "db/AppState.h"
#include "periodicals/PeriodicalExport.h"
#include "periodicals/PeriodicalStore.h"

#include <QProgressBar>

namespace {

constexpr int kFlagField = 16;

// Fields 1 to 16, 是否借出 as "未借" or "借出".
QStringList listRow(const CAdoRecordset& rs)
{
    QStringList row;
    for (int field = 1; field < kFlagField; ++field)
        row << rs.GetCollect(field);
    row << PeriodicalStore::flagText(rs.GetCollect(kFlagField));
    return row;
}

CPagedSearchPage::Config searchConfig()
{
    CPagedSearchPage::Config config;
    config.searchLabel = QStringLiteral("编号/刊名/条码");
    config.searchCaption = QStringLiteral("查找期刊");
    config.searchTip = QStringLiteral("可输入期刊的条码、编号或刊名、出版社名、邮发代号的关键字");
    config.exportCaption = QStringLiteral("结果导出到Excel");
    config.headings = QStringLiteral("条形码,120;期刊编号,80;中图分类,60;分类名称,80;复本号,80;期刊名称,120;邮发代号,80;"
                                     "出版社名,80;第几期,80;总第几期,80;出版时间,80;国内刊号,80;期刊单价,50;存放位置,80;"
                                     "入库时间,80;是否借出,80");
    config.pageSize = 50;
    config.notFound = QStringLiteral("期刊库没有数据!");
    config.query = [](const QString& filter) { return PeriodicalStore(theApp().m_ado).search(filter); };
    config.listRow = listRow;
    return config;
}

// Every copy in stock, fields 1 to 16 as stored: 是否借出 stays "0" or "-1".
QList<QStringList> wholeStock()
{
    RecordsetPtr rs = PeriodicalStore(theApp().m_ado).search(QString());
    QList<QStringList> rows;
    for (; !rs->IsEOF(); rs->MoveNext())
        rows << rs->GetRowTexts().mid(1, kFlagField);
    return rows;
}

} // namespace

CPeriodicalSearchPage::CPeriodicalSearchPage(QWidget* parent) : CPagedSearchPage(searchConfig(), parent)
{
    // The export writes on the window's own thread: there is no progress to show.
    ExportProgress()->hide();
    connect(ExportButton(), &QPushButton::clicked, this, &CPeriodicalSearchPage::OnExportExcel);
}

// The whole stock, whatever the list shows.
void CPeriodicalSearchPage::OnExportExcel()
{
    const QStringList header{
        QStringLiteral("条形码"),   QStringLiteral("期刊编号"), QStringLiteral("中图分类"), QStringLiteral("分类名称"),
        QStringLiteral("复本号"),   QStringLiteral("期刊名称"), QStringLiteral("邮发代号"), QStringLiteral("出版社名"),
        QStringLiteral("第几期"),   QStringLiteral("总第几期"), QStringLiteral("出版时间"), QStringLiteral("国内刊号"),
        QStringLiteral("期刊单价"), QStringLiteral("存放位置"), QStringLiteral("入库时间"), QStringLiteral("是否在馆")};
    exportPeriodicalSheet(this, QStringLiteral("期刊信息"), header, wholeStock);
}
