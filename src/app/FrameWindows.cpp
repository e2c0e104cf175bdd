#include "app/FrameWindows.h"

#include "app/AboutDlg.h"
#include "app/LibraryInfoDlg.h"
#include "controls/Calculator2Dlg.h"
#include "controls/CommandTable.h"

void registerFrameWindows(CommandTable& table)
{
    addWindow<CLibraryInfoDlg>(table, 32793);
    addWindow<CAboutDlg>(table, 32818);
    addWindow<CCalculator2Dlg>(table, 32847);
}
