#include "catalogue/BookCancelDlg.h"

#include "db/AppState.h"

namespace {
// The list shows the first matches only; a narrower keyword finds the rest.
constexpr int kListedBooks = 500;

StockCancelWindow bookCancelWindow()
{
    StockCancelWindow w;
    w.caption = QStringLiteral("注销图书信息");
    w.keywordLabel = QStringLiteral("图书编号/书名:");
    w.actionText = QStringLiteral("注销图书");
    w.headings = QStringLiteral("条形码,80;图书编号,100;分类号,80;图书类别,100;复本号,60;书名,120;著译者,80;出版处,80;"
                                "页数,50;开本,50;版期,50;版次,50;单价,50;书架名称,80;入库时间,80");
    w.fields = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
    w.notFound = QStringLiteral("图书库没有找到相关数据!");
    w.skippedLead = QStringLiteral("以下图书已借出或预约，不能注销：");
    w.search = [](const QString& keyword) { return CBookStore(theApp().m_ado).findForCancel(keyword, kListedBooks); };
    w.remove = [](const QString& number) { return CBookStore(theApp().m_ado).remove(number); };
    return w;
}
}

CBookCancelDlg::CBookCancelDlg(QWidget* parent) : CStockCancelDlg(bookCancelWindow(), parent) {}
