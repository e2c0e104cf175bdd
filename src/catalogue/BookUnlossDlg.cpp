#include "catalogue/BookUnlossDlg.h"

namespace {
LossCancelWindow bookUnlossWindow()
{
    LossCancelWindow w;
    w.tables = &StockTables::books();
    w.caption = QStringLiteral("图书解挂");
    w.groupTitle = QStringLiteral("挂失图书信息");
    w.keyLabel = QStringLiteral("输入图书编号/名称");
    w.actionText = QStringLiteral("图书解挂");
    w.headings = QStringLiteral("图书编号,100;图书名称,120;读者编号,100;读者姓名,100;挂失日期,120;操作员,80");
    w.fields = {2, 6, 16, 17, 18, 19};
    w.failure = QStringLiteral("图书解挂失败!\n");
    return w;
}
}

CBookUnlossDlg::CBookUnlossDlg(QWidget* parent) : CLossCancelDlg(bookUnlossWindow(), parent) {}
