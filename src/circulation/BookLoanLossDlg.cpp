#include "circulation/BookLoanLossDlg.h"

namespace {
LoanLossWindow bookLoanLossWindow()
{
    LoanLossWindow w;
    w.tables = &LoanTables::books();
    w.caption = QStringLiteral("图书挂失");
    w.actionText = QStringLiteral("图书挂失");
    w.headings = QStringLiteral("图书编号,80;书名,120;读者编号,90;读者姓名,60;借书日期,80;应还日期,80;图书价格,80;操作员,60");
    w.findIcon = 192;
    w.actionIcon = 211;
    return w;
}
}

CBookLoanLossDlg::CBookLoanLossDlg(QWidget* parent) : CLoanLossDlg(bookLoanLossWindow(), parent) {}
