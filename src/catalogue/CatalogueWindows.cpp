#include "catalogue/CatalogueWindows.h"

#include "catalogue/BookAddDlg.h"
#include "catalogue/BookCancelDlg.h"
#include "catalogue/BookLostDlg.h"
#include "catalogue/BookQueryDlg.h"
#include "catalogue/BookTypeDlg.h"
#include "catalogue/BookUnlossDlg.h"
#include "catalogue/BookWeedOutDlg.h"
#include "catalogue/MarcImportDlg.h"
#include "catalogue/PublisherDlg.h"
#include "catalogue/ShelfSettingDlg.h"
#include "controls/CommandTable.h"

void registerCatalogueWindows(CommandTable& table)
{
    addWindow<CBookAddDlg>(table, 32796);
    addWindow<CBookTypeDlg>(table, 32799);
    addWindow<CPublisherDlg>(table, 32800);
    addWindow<CShelfSettingDlg>(table, 32822);
    addWindow<CMarcImportDlg>(table, 32852);
    addWindow<CBookLostDlg>(table, 32878);
    addWindow<CBookWeedOutDlg>(table, 32875);
    addWindow<CBookUnlossDlg>(table, 32881);
    addWindow<CBookCancelDlg>(table, 32827);
    addWindow<CBookQueryDlg>(table, 32808);
}
