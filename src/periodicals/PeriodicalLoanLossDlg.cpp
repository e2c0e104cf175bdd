#include "periodicals/PeriodicalLoanLossDlg.h"

namespace {
LoanLossWindow periodicalLoanLossWindow()
{
    LoanLossWindow w;
    w.tables = &LoanTables::periodicals();
    w.readerRadio = true;
    w.enterPressesDefault = true;
    w.editShowsListedReader = true;
    w.caption = QStringLiteral("期刊挂失");
    w.actionText = QStringLiteral("期刊挂失");
    w.headings =
        QStringLiteral("期刊编号,80;期刊名称,120;读者编号,90;读者姓名,60;借书日期,80;应还日期,80;期刊价格,80;操作员,60");
    return w;
}
}

CPeriodicalLoanLossDlg::CPeriodicalLoanLossDlg(QWidget* parent) : CLoanLossDlg(periodicalLoanLossWindow(), parent) {}
