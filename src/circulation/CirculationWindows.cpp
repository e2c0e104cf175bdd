#include "circulation/CirculationWindows.h"

#include "circulation/BookLendDlg.h"
#include "circulation/BookLoanLossDlg.h"
#include "circulation/LendQueryDlg.h"
#include "circulation/ReaderAddDlg.h"
#include "circulation/ReaderCancelDlg.h"
#include "circulation/ReaderDeptDlg.h"
#include "circulation/ReaderQueryDlg.h"
#include "circulation/ReaderTypeDlg.h"
#include "circulation/ReserveLendPage.h"
#include "circulation/SchoolLendQueryDlg.h"
#include "controls/CommandTable.h"

void registerCirculationWindows(CommandTable& table)
{
    addWindow<CBookLendDlg>(table, 32801);
    addWindow<CBookLoanLossDlg>(table, 32804);
    addWindow<CReaderAddDlg>(table, 32805);
    addWindow<CReaderCancelDlg>(table, 32826);
    addWindow<CReaderTypeDlg>(table, 32807);
    addWindow<CReaderDeptDlg>(table, 32821);
    addWindow<CLendQueryDlg>(table, 32820);
    addWindow<CReaderQueryDlg>(table, 32812);
    addWindow<CReserveLendPage>(table, 32883);
    addWindow<CSchoolLendQueryDlg>(table, 32848);
}
