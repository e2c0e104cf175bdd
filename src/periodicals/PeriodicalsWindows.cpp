#include "periodicals/PeriodicalsWindows.h"

#include "controls/CommandTable.h"
#include "periodicals/PeriodicalAddDlg.h"
#include "periodicals/PeriodicalCancelDlg.h"
#include "periodicals/PeriodicalLendDlg.h"
#include "periodicals/PeriodicalLoanLossDlg.h"
#include "periodicals/PeriodicalLostDlg.h"
#include "periodicals/PeriodicalQueryDlg.h"
#include "periodicals/PeriodicalUnlossDlg.h"
#include "periodicals/PeriodicalWeedDlg.h"

void registerPeriodicalsWindows(CommandTable& table)
{
    addWindow<CPeriodicalAddDlg>(table, 32840);
    addWindow<CPeriodicalCancelDlg>(table, 32841);
    addWindow<CPeriodicalLendDlg>(table, 32839);
    addWindow<CPeriodicalLoanLossDlg>(table, 32873);
    addWindow<CPeriodicalUnlossDlg>(table, 32882);
    addWindow<CPeriodicalLostDlg>(table, 32879);
    addWindow<CPeriodicalWeedDlg>(table, 32877);
    addWindow<CPeriodicalQueryDlg>(table, 32842);
}
