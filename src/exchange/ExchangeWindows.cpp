#include "exchange/ExchangeWindows.h"

#include "controls/CommandTable.h"
#include "exchange/ExportTemplateDlg.h"
#include "exchange/UnitInfoUploadDlg.h"
#include "exchange/UploadSetPage.h"

void registerExchangeWindows(CommandTable& table)
{
    addWindow<CExportBookTemplateDlg>(table, 32823);
    addWindow<CExportReaderTemplateDlg>(table, 32836);
    addWindow<CExportPeriodicalTemplateDlg>(table, 32859);
    addWindow<CUploadSetPage>(table, 32849);
    addWindow<CUnitInfoUploadDlg>(table, 32884);
}
