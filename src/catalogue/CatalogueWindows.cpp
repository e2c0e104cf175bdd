#include "catalogue/CatalogueWindows.h"

#include "catalogue/BookAddDlg.h"
#include "catalogue/BookTypeDlg.h"
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
}
