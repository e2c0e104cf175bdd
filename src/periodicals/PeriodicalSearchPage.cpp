#include "periodicals/PeriodicalSearchPage.h"

#include "controls/SkinButton.h"
#include "db/AppState.h"
#include "export/SheetExport.h"
#include "periodicals/PeriodicalStore.h"

#include <QProgressBar>

namespace {

CPagedSearchPage::Config searchConfig()
{
    CPagedSearchPage::Config config;
    config.searchLabel = QStringLiteral("编号/刊名/条码");
    config.searchCaption = QStringLiteral("查找期刊");
    config.searchTip = QStringLiteral("可输入期刊的条码、编号或刊名、出版社名、邮发代号的关键字");
    config.exportCaption = QStringLiteral("结果导出到Excel");
    config.headings = PeriodicalStore::listHeadings();
    config.pageSize = 50;
    config.notFound = QStringLiteral("期刊库没有数据!");
    config.editClearsOnFocus = false;
    config.query = [](const QString& filter) { return PeriodicalStore(theApp().m_ado).search(filter); };
    config.listRow = PeriodicalStore::listRow;
    return config;
}

// Every copy in stock, fields 1 to 16 as stored: 是否借出 stays "0" or "-1".
QList<QStringList> wholeStock()
{
    RecordsetPtr rs = PeriodicalStore(theApp().m_ado).search(QString());
    QList<QStringList> rows;
    for (; !rs->IsEOF(); rs->MoveNext())
        rows << rs->GetRowTexts().mid(1, kPdFieldCount + 1);
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
    const QStringList header = PeriodicalStore::columnNames() + QStringList{QStringLiteral("是否在馆")};
    exportQuerySheet(this, QStringLiteral("期刊信息"), header, wholeStock);
}
