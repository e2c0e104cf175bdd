#include "catalogue/CatalogueWindows.h"

#include "controls/CommandTable.h"

void registerCatalogueWindows(CommandTable& table)
{
    (void)table;
}
