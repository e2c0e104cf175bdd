#include "periodicals/PeriodicalQueryDlg.h"

#include "periodicals/PeriodicalLendQueryPage.h"
#include "periodicals/PeriodicalLostQueryPage.h"
#include "periodicals/PeriodicalSearchPage.h"
#include "periodicals/PeriodicalSummaryPage.h"

#include <QIcon>

CPeriodicalQueryDlg::CPeriodicalQueryDlg(QWidget* parent)
    : CQueryTabDlg(QStringLiteral("期刊信息查询"), QIcon(), EnterKeyFilter::ButtonsPress, parent)
{
    AddPage(new CPeriodicalSearchPage(this), QStringLiteral("期刊档案查询"));
    AddPage(new CPeriodicalLendQueryPage(this), QStringLiteral("期刊借阅查询"));
    AddPage(new CPeriodicalSummaryPage(this), QStringLiteral("期刊信息汇总"));
    AddPage(new CPeriodicalLostQueryPage(this), QStringLiteral("期刊丢失查询"));
}
