#include "app/FrameWindows.h"

#include "app/AboutDlg.h"
#include "app/AdminSetDlg.h"
#include "app/LibraryInfoDlg.h"
#include "app/NoticeBoardDlg.h"
#include "controls/Calculator2Dlg.h"
#include "controls/CommandTable.h"

void registerFrameWindows(CommandTable& table)
{
    addWindow<CAdminSetDlg>(table, 32791);
    addWindow<CAdminSetDlg>(table, 1014);
    addWindow<CLibraryInfoDlg>(table, 32793);
    addWindow<CNoticeBoardDlg>(table, 32885);
    addWindow<CAboutDlg>(table, 32818);
    addWindow<CCalculator2Dlg>(table, 32847);
}
