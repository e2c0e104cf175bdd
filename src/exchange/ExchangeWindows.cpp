#include "exchange/ExchangeWindows.h"

#include "controls/CommandTable.h"
#include "exchange/AssetReportDlg.h"
#include "exchange/BackupDlg.h"
#include "exchange/DataDownloadDlg.h"
#include "exchange/DataUploadDlg.h"
#include "exchange/ExportTemplateDlg.h"
#include "exchange/FtpDownloadDlg.h"
#include "exchange/FtpUploadDlg.h"
#include "exchange/ImportDlg.h"
#include "exchange/InitSystemDlg.h"
#include "exchange/RepairDlg.h"
#include "exchange/RestoreDlg.h"
#include "exchange/UnitInfoUploadDlg.h"
#include "exchange/UploadSetPage.h"

void registerExchangeWindows(CommandTable& table)
{
    addWindow<CInitSystemDlg>(table, 32794);
    addWindow<CImportBookDlg>(table, 32798);
    addWindow<CBackupDlg>(table, 32813);
    addWindow<CRestoreDlg>(table, 32814);
    addWindow<CExportBookTemplateDlg>(table, 32823);
    addWindow<CImportReaderDlg>(table, 32835);
    addWindow<CExportReaderTemplateDlg>(table, 32836);
    addWindow<CExportPeriodicalTemplateDlg>(table, 32859);
    addWindow<CUploadSetPage>(table, 32849);
    addWindow<CUnitInfoUploadDlg>(table, 32884);
    addWindow<CDataUploadDlg>(table, 32824);
    addWindow<CDataDownloadDlg>(table, 32825);
    addWindow<CFtpUploadDlg>(table, 32850);
    addWindow<CFtpDownloadDlg>(table, 32851);
    addWindow<CImportPeriodicalDlg>(table, 32860);
    addWindow<CImportLendDlg>(table, 32871);
    addWindow<CBookAssetReportDlg>(table, 32876);
    addWindow<CPeriodicalAssetReportDlg>(table, 32880);
    addWindow<CImportLendHistoryDlg>(table, 32886);
    addWindow<CRepairDlg>(table, 32887);
}
