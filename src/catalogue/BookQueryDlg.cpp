#include "catalogue/BookQueryDlg.h"

#include "catalogue/BookLostQueryPage.h"
#include "catalogue/BookSearchPage.h"
#include "catalogue/BookStatPage.h"
#include "controls/ButtonIcons.h"
#include "controls/Prompter.h"
#include "sheets/SpreadsheetIdle.h"

CBookQueryDlg::CBookQueryDlg(QWidget* parent)
    : CQueryTabDlg(QStringLiteral("图书信息查询"), resourceIcon(143), EnterKeyFilter::ButtonsPress, parent)
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
