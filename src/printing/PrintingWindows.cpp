#include "printing/PrintingWindows.h"

#include "controls/CommandTable.h"
#include "printing/CustomBarcodePrintDlg.h"
#include "printing/CustomCardPrintDlg.h"

void registerPrintingWindows(CommandTable& table)
{
    addWindow<CCustomBarcodePrintDlg>(table, 32856);
    addWindow<CCustomCardPrintDlg>(table, 32857);
}
