#include "catalogue/BookQueryDlg.h"

#include "catalogue/BookLostQueryPage.h"
#include "catalogue/BookSearchPage.h"
#include "controls/Prompter.h"
#include "catalogue/BookStatPage.h"
#include "sheets/SpreadsheetIdle.h"

#include <QIcon>

CBookQueryDlg::CBookQueryDlg(QWidget* parent)
    : CQueryTabDlg(QStringLiteral("图书信息查询"), QIcon(QStringLiteral(":/icons/bookquery.png")), parent)
{
    AddPage(new CBookSearchPage(this), QStringLiteral("图书档案查询"));
    AddPage(new CBookLostQueryPage(this), QStringLiteral("丢书资料查询"));
    AddPage(new CBookStatPage(this), QStringLiteral("图书信息统计"));
    SetCloseCheck([this] { return MayClose(); });
}

bool CBookQueryDlg::MayClose()
{
    if (spreadsheetIdle())
        return true;
    showMessage(this, QStringLiteral("导出数据进程没结束！"));
    return false;
}
