#include "periodicals/PeriodicalUnlossDlg.h"

namespace {
LossCancelWindow periodicalUnlossWindow()
{
    LossCancelWindow w;
    w.tables = &StockTables::periodicals();
    w.caption = QStringLiteral("期刊解挂");
    w.groupTitle = QStringLiteral("挂失期刊信息");
    w.keyLabel = QStringLiteral("输入期刊编号/名称");
    w.actionText = QStringLiteral("期刊解挂");
    w.headings = QStringLiteral("期刊编号,100;期刊名称,120;读者编号,100;读者姓名,100;挂失日期,120;操作员,80");
    w.fields = {2, 6, 16, 17, 18, 19};
    w.failure = QStringLiteral("期刊解挂失败!\n");
    w.success = QStringLiteral("期刊解挂成功!\n");
    return w;
}
}

CPeriodicalUnlossDlg::CPeriodicalUnlossDlg(QWidget* parent) : CLossCancelDlg(periodicalUnlossWindow(), parent) {}
