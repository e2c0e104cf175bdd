#include "circulation/ReaderQueryDlg.h"

#include "circulation/ReaderRegister.h"
#include "controls/PagedSearchPage.h"
#include "controls/SkinButton.h"
#include "db/AppState.h"
#include "export/ListExport.h"

#include <QVBoxLayout>

namespace {

CPagedSearchPage::Config readerConfig()
{
    CPagedSearchPage::Config config;
    config.searchLabel = QStringLiteral("输入读者姓名/编号:");
    config.searchCaption = QStringLiteral("查询");
    config.exportCaption = QStringLiteral("导出数据XLS");
    config.headings = readerListHeadings();
    config.pageSize = 50;
    config.pagesEditable = true;
    config.query = [](const QString& filter) { return ReaderRegister(theApp().m_ado).search(filter); };
    config.listRow = readerListRow;
    return config;
}

// All twelve columns in the table's order, hidden ones included; an empty search result
// gives a sheet with its header alone.
CListExport::Options exportOptions()
{
    CListExport::Options options;
    options.firstField = 0;
    options.lastField = 11;
    options.nothingMessage = QStringLiteral("没有查询信息!");
    options.refuseEmpty = false;
    options.filter = QStringLiteral("Excel文件(*.xls)");
    options.proposedName = QStringLiteral("读者档案资料");
    options.progressScaleFrom = 0;
    return options;
}

} // namespace

CReaderQueryDlg::CReaderQueryDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("读者档案查询"));
    resize(920, 600);
    m_page = new CPagedSearchPage(readerConfig(), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_page);
    m_export = new CListExport(m_page, m_page->ExportProgress(), m_page->ExportButton(), exportOptions());
    connect(m_page->ExportButton(), &QPushButton::clicked, this, [this] { m_export->Start(m_page->Result()); });
}
