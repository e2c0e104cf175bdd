#include "exchange/ExchangeWindows.h"

#include "controls/CommandTable.h"
#include "exchange/ExportTemplateDlg.h"

void registerExchangeWindows(CommandTable& table)
{
    addWindow<CExportBookTemplateDlg>(table, 32823);
    addWindow<CExportReaderTemplateDlg>(table, 32836);
    addWindow<CExportPeriodicalTemplateDlg>(table, 32859);
}
