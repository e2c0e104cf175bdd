#include "circulation/LendQueryDlg.h"

#include "circulation/LendHistoryPage.h"
#include "circulation/LendRecordPage.h"
#include "circulation/LendSummaryPage.h"
#include "circulation/OverduePage.h"

#include <QIcon>

CLendQueryDlg::CLendQueryDlg(QWidget* parent)
    : CQueryTabDlg(QStringLiteral("借阅信息查询"), QIcon(), EnterKeyFilter::ButtonsMoveOn, parent)
{
    AddPage(new CLendRecordPage(this), QStringLiteral("当前借阅查询"));
    AddPage(new CLendHistoryPage(this), QStringLiteral("借阅历史查询"));
    AddPage(new COverduePage(this), QStringLiteral("到期未还查询"));
    AddPage(new CLendSummaryPage(this), QStringLiteral("借阅信息汇总"));
}
