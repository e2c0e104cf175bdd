#include "printing/PrintingWindows.h"

#include "controls/CommandTable.h"

void registerPrintingWindows(CommandTable& table)
{
    (void)table;
}
