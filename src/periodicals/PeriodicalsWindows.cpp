#include "periodicals/PeriodicalsWindows.h"

#include "controls/CommandTable.h"
#include "periodicals/PeriodicalAddDlg.h"
#include "periodicals/PeriodicalLendDlg.h"

void registerPeriodicalsWindows(CommandTable& table)
{
    addWindow<CPeriodicalAddDlg>(table, 32840);
    addWindow<CPeriodicalLendDlg>(table, 32839);
}
