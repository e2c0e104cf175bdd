#include "periodicals/PeriodicalLostDlg.h"

namespace {
StockMoveWindow periodicalLossWindow()
{
    StockMoveWindow w;
    w.tables = &StockTables::periodicals();
    w.kind = OutKind::Loss;
    w.caption = QStringLiteral("期刊报失");
    w.stockKeyLabel = QStringLiteral("期刊编号/期刊名称");
    w.actionText = QStringLiteral("报失");
    w.outGroupTitle = QStringLiteral("挂失期刊信息列表");
    w.dateRadioText = QStringLiteral("按报失日期查询");
    w.outKeyLabel = QStringLiteral("输入查询信息(编号/刊名):");
    w.queryOutText = QStringLiteral("确定");
    w.stockHeadings = QStringLiteral("期刊编号,120;中图分类,80;期刊名称,150;期刊单价,100;入库日期,120;");
    w.outHeadings = QStringLiteral("期刊编号,100;期刊名称,120;读者编号,100;读者姓名,100;挂失日期,100;期刊单价,120;操作员,100;");
    w.outFields = {2, 6, 16, 17, 18, 13, 19};
    w.restoreFailure = QStringLiteral("期刊恢复失败!\n");
    w.skippedLead = QStringLiteral("以下期刊已借出，不能报失：");
    w.skippedNote = QStringLiteral("读者丢失的期刊请用期刊挂失处理。");
    return w;
}
}

CPeriodicalLostDlg::CPeriodicalLostDlg(QWidget* parent) : CStockMoveDlg(periodicalLossWindow(), parent) {}
