#include "periodicals/PeriodicalCancelDlg.h"

#include "controls/Prompter.h"
#include "controls/ReportListCtrl.h"
#include "db/AppState.h"
#include "periodicals/PeriodicalStore.h"

namespace {
StockCancelWindow periodicalCancelWindow()
{
    StockCancelWindow w;
    w.caption = QStringLiteral("注销期刊信息");
    w.keywordLabel = QStringLiteral("期刊编号/刊名:");
    w.actionText = QStringLiteral("注销图书");
    w.headings = QStringLiteral("条形码,120;期刊编号,80;中图分类,60;分类名称,80;复本号,80;期刊名称,120;邮发代号,80;"
                                "出版社名,80;第几期,80;总第几期,80;出版时间,80;国内刊号,80;期刊单价,50;存放位置,80;"
                                "入库时间,80;是否在馆,80");
    w.fields = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    w.notFound = QStringLiteral("期刊库里没有找到相关数据!");
    w.skippedLead = QStringLiteral("以下期刊已借出，不能注销：");
    w.search = [](const QString& keyword) { return PeriodicalStore(theApp().m_ado).search(keyword); };
    w.remove = [](const QString& number) { return PeriodicalStore(theApp().m_ado).remove(number); };
    w.refill = [](const QString& keyword) { return PeriodicalStore(theApp().m_ado).byTitleOrNumber(keyword); };
    w.reportsCount = false;
    w.editShowsAll = false;
    return w;
}
}

CPeriodicalCancelDlg::CPeriodicalCancelDlg(QWidget* parent) : CStockCancelDlg(periodicalCancelWindow(), parent) {}

void CPeriodicalCancelDlg::OnDeleteSelected()
{
    const int row = List()->GetFirstSelected();
    if (row < 0)
        return showMessage(this, QStringLiteral("没有选定记录!\n"));
    if (askQuestion(this, QStringLiteral("确实删除该信息吗？"), QStringLiteral("删除记录"),
                    QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok)
        return;
    const QString number = List()->GetItemText(row, Config().numberColumn);
    const DeleteOutcome outcome = Config().remove(number);
    OnFind();
    SayKept(outcome == DeleteOutcome::OnLoan ? QStringList{number} : QStringList());
}
