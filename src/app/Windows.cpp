#include "app/Windows.h"

#include "app/FrameWindows.h"
#include "catalogue/CatalogueWindows.h"
#include "circulation/CirculationWindows.h"
#include "maintenance/ExchangeWindows.h"
#include "periodicals/PeriodicalsWindows.h"
#include "printing/PrintingWindows.h"

void registerAllWindows(CommandTable& table)
{
    registerFrameWindows(table);
    registerCatalogueWindows(table);
    registerCirculationWindows(table);
    registerPeriodicalsWindows(table);
    registerPrintingWindows(table);
    registerExchangeWindows(table);
}
