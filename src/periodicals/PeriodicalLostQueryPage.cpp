#include "periodicals/PeriodicalLostQueryPage.h"

#include "db/AppState.h"
#include "periodicals/PeriodicalQueries.h"

namespace {
CListQueryPage::Config lostConfig()
{
    CListQueryPage::Config config;
    config.searchLabel = QStringLiteral("输入查询内容:");
    config.searchCaption = QStringLiteral("确定");
    config.headings = QStringLiteral("期刊编号,120;期刊名称,120;读者编号,120;读者姓名,120;挂失日期,120;图书价格,120;操作员,90");
    config.failure = QStringLiteral("操作失败！");
    config.editShowsAll = false;
    config.searchIcon = 0;
    config.searchIsDefault = true;
    config.query = [](const QString& filter) { return PeriodicalQueries(theApp().m_ado).losses(filter); };
    config.listRow = [](const CAdoRecordset& rs) {
        QStringList row;
        for (const char* column : {"期刊编号", "期刊名称", "读者编号", "读者姓名", "挂失日期", "期刊单价", "操作员"})
            row << rs.GetCollect(QString::fromUtf8(column));
        return row;
    };
    return config;
}
}

CPeriodicalLostQueryPage::CPeriodicalLostQueryPage(QWidget* parent) : CListQueryPage(lostConfig(), parent) {}
