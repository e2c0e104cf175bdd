#include "printing/PrintingWindows.h"

#include "controls/CommandTable.h"
#include "printing/BookBarcodePrintDlg.h"
#include "printing/BookLabelPrintDlg.h"
#include "printing/CustomBarcodePrintDlg.h"
#include "printing/CustomCardPrintDlg.h"
#include "printing/ReaderCardPrintDlg.h"

void registerPrintingWindows(CommandTable& table)
{
    addWindow<CBookLabelPrintDlg>(table, 32845);
    addWindow<CReaderCardPrintDlg>(table, 32846);
    addWindow<CBookBarcodePrintDlg>(table, 32855);
    addWindow<CCustomBarcodePrintDlg>(table, 32856);
    addWindow<CCustomCardPrintDlg>(table, 32857);
}
