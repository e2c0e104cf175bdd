#include "periodicals/PeriodicalWeedDlg.h"

namespace {
StockMoveWindow periodicalWeedWindow()
{
    StockMoveWindow w;
    w.tables = &StockTables::periodicals();
    w.kind = OutKind::WeedOut;
    w.caption = QStringLiteral("期刊剔旧");
    w.stockKeyLabel = QStringLiteral("期刊编号/期刊名称");
    w.actionText = QStringLiteral("剔旧");
    w.outGroupTitle = QStringLiteral("剔旧期刊信息列表");
    w.dateRadioText = QStringLiteral("按剔旧日期查询");
    w.outKeyLabel = QStringLiteral("输入查询信息(编号/刊名):");
    w.queryOutText = QStringLiteral("确定");
    w.stockHeadings = QStringLiteral("期刊编号,120;中图分类,80;期刊名称,150;期刊单价,100;入库日期,120;");
    w.outHeadings = QStringLiteral("期刊编号,120;期刊名称,150;期刊单价,100;剔旧日期,120;操作员,100;");
    w.outFields = {2, 6, 13, 16, 17};
    w.restoreFailure = QStringLiteral("期刊恢复失败!\n");
    w.skippedLead = QStringLiteral("以下期刊已借出，不能剔旧：");
    return w;
}
}

CPeriodicalWeedDlg::CPeriodicalWeedDlg(QWidget* parent) : CStockMoveDlg(periodicalWeedWindow(), parent) {}
