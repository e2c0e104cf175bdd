#include "catalogue/BookLostDlg.h"

namespace {
StockMoveWindow bookLossWindow()
{
    StockMoveWindow w;
    w.tables = &StockTables::books();
    w.kind = OutKind::Loss;
    w.caption = QStringLiteral("图书报失");
    w.stockKeyLabel = QStringLiteral("图书编号/图书名称");
    w.actionText = QStringLiteral("报失");
    w.outGroupTitle = QStringLiteral("挂失图书信息列表");
    w.dateRadioText = QStringLiteral("按报失日期查询");
    w.outKeyLabel = QStringLiteral("输入查询信息(编号/书名):");
    w.queryOutText = QStringLiteral("查询");
    w.stockHeadings = QStringLiteral("图书编号,120;分类号,80;图书名称,150;图书单价,100;入库日期,120;");
    w.outHeadings = QStringLiteral("图书编号,100;图书名称,120;读者编号,100;读者姓名,100;报失日期,100;图书单价,120;操作员,100;");
    w.outFields = {2, 6, 16, 17, 18, 13, 19};
    w.restoreFailure = QStringLiteral("图书恢复失败!\n");
    w.skippedLead = QStringLiteral("以下图书已借出或预约，不能报失：");
    w.skippedNote = QStringLiteral("读者丢失的图书请用图书挂失处理。");
    return w;
}
}

CBookLostDlg::CBookLostDlg(QWidget* parent) : CStockMoveDlg(bookLossWindow(), parent) {}
