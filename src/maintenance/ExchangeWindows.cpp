#include "maintenance/ExchangeWindows.h"

#include "controls/CommandTable.h"
#include "maintenance/AssetReportDlg.h"
#include "maintenance/BackupDlg.h"
#include "remote/DataDownloadDlg.h"
#include "remote/DataUploadDlg.h"
#include "maintenance/ExportTemplateDlg.h"
#include "remote/FtpDownloadDlg.h"
#include "remote/FtpUploadDlg.h"
#include "maintenance/ImportDlg.h"
#include "maintenance/InitSystemDlg.h"
#include "maintenance/RepairDlg.h"
#include "maintenance/RestoreDlg.h"
#include "remote/UnitInfoUploadDlg.h"
#include "remote/UploadSetPage.h"

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
