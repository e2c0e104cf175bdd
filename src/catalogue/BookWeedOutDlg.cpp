#include "catalogue/BookWeedOutDlg.h"

namespace {
StockMoveWindow bookWeedOutWindow()
{
    StockMoveWindow w;
    w.tables = &StockTables::books();
    w.kind = OutKind::WeedOut;
    w.caption = QStringLiteral("图书剔旧");
    w.stockKeyLabel = QStringLiteral("图书编号/图书名称");
    w.actionText = QStringLiteral("剔旧");
    w.outGroupTitle = QStringLiteral("剔旧图书信息列表");
    w.dateRadioText = QStringLiteral("按剔旧日期查询");
    w.outKeyLabel = QStringLiteral("输入查询信息(编号/书名):");
    w.queryOutText = QStringLiteral("查询");
    w.stockHeadings = QStringLiteral("图书编号,120;分类号,80;图书名称,150;图书单价,100;入库日期,120;");
    w.outHeadings = QStringLiteral("图书编号,120;图书名称,150;图书单价,100;剔旧日期,120;操作员,100;");
    w.outFields = {2, 6, 13, 16, 17};
    w.restoreFailure = QStringLiteral("图书恢复失败!\n");
    w.skippedLead = QStringLiteral("以下图书已借出或预约，不能剔旧：");
    w.exportable = true;
    return w;
}
}

CBookWeedOutDlg::CBookWeedOutDlg(QWidget* parent) : CStockMoveDlg(bookWeedOutWindow(), parent) {}
