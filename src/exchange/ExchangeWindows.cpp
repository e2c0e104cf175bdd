#include "exchange/ExchangeWindows.h"

#include "controls/CommandTable.h"
#include "exchange/DataDownloadDlg.h"
#include "exchange/DataUploadDlg.h"
#include "exchange/ExportTemplateDlg.h"
#include "exchange/FtpDownloadDlg.h"
#include "exchange/FtpUploadDlg.h"
#include "exchange/UnitInfoUploadDlg.h"
#include "exchange/UploadSetPage.h"

void registerExchangeWindows(CommandTable& table)
{
    addWindow<CExportBookTemplateDlg>(table, 32823);
    addWindow<CExportReaderTemplateDlg>(table, 32836);
    addWindow<CExportPeriodicalTemplateDlg>(table, 32859);
    addWindow<CUploadSetPage>(table, 32849);
    addWindow<CUnitInfoUploadDlg>(table, 32884);
    addWindow<CDataUploadDlg>(table, 32824);
    addWindow<CDataDownloadDlg>(table, 32825);
    addWindow<CFtpUploadDlg>(table, 32850);
    addWindow<CFtpDownloadDlg>(table, 32851);
}
