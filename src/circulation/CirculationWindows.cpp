#include "circulation/CirculationWindows.h"

#include "circulation/BookLendDlg.h"
#include "circulation/ReaderAddDlg.h"
#include "circulation/ReaderCancelDlg.h"
#include "circulation/ReaderDeptDlg.h"
#include "circulation/ReaderTypeDlg.h"
#include "circulation/ReserveLendPage.h"
#include "circulation/SchoolLendQueryDlg.h"
#include "controls/CommandTable.h"

void registerCirculationWindows(CommandTable& table)
{
    addWindow<CBookLendDlg>(table, 32801);
    addWindow<CReaderAddDlg>(table, 32805);
    addWindow<CReaderCancelDlg>(table, 32826);
    addWindow<CReaderTypeDlg>(table, 32807);
    addWindow<CReaderDeptDlg>(table, 32821);
    addWindow<CReserveLendPage>(table, 32883);
    addWindow<CSchoolLendQueryDlg>(table, 32848);
}
