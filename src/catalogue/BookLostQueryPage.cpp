#include "catalogue/BookLostQueryPage.h"

#include "catalogue/BookStore.h"
#include "db/AppState.h"

namespace {
CListQueryPage::Config lostConfig()
{
    CListQueryPage::Config config;
    config.searchLabel = QStringLiteral("输入读者编号或书名:");
    config.searchCaption = QStringLiteral("确定");
    config.headings = QStringLiteral("图书编号,120;书名,120;读者编号,120;读者姓名,120;挂失日期,120;图书价格,120;操作员,90");
    config.emptyRefusal = QStringLiteral("请输入查询数据！");
    config.failure = QStringLiteral("操作失败！");
    config.query = [](const QString& filter) { return CBookStore(theApp().m_ado).lostBooks(filter); };
    config.listRow = [](const CAdoRecordset& rs) { return rs.GetRowTexts(); };
    return config;
}
}

CBookLostQueryPage::CBookLostQueryPage(QWidget* parent) : CListQueryPage(lostConfig(), parent) {}
