#include "periodicals/PeriodicalsWindows.h"

#include "controls/CommandTable.h"
#include "periodicals/PeriodicalAddDlg.h"

void registerPeriodicalsWindows(CommandTable& table)
{
    addWindow<CPeriodicalAddDlg>(table, 32840);
}
