#include "circulation/BookLoanLossDlg.h"

#include "db/AppState.h"

namespace {
LendingService service() { return LendingService(theApp().m_ado, theApp().m_strOperator); }

LoanLossWindow bookLoanLossWindow()
{
    LoanLossWindow w;
    w.caption = QStringLiteral("图书挂失");
    w.actionText = QStringLiteral("图书挂失");
    w.headings = QStringLiteral("图书编号,80;书名,120;读者编号,90;读者姓名,60;借书日期,80;应还日期,80;图书价格,80;操作员,60");
    w.copyMissing = QStringLiteral("图书库中没有这本书，请在图书借还中归还。");
    w.loans = [](const QString& readerNumber) {
        QList<QStringList> rows;
        for (const Loan& loan : service().loansOf(readerNumber))
            rows.append({loan.bookNumber, loan.title, loan.readerNumber, loan.readerName, loan.lendingDate,
                         loan.dueDate, loan.price, loan.operatorName});
        return rows;
    };
    w.reportLost = [](const QString& number, const QString& readerNumber) {
        return service().reportLost(number, readerNumber);
    };
    return w;
}
}

CBookLoanLossDlg::CBookLoanLossDlg(QWidget* parent) : CLoanLossDlg(bookLoanLossWindow(), parent) {}
