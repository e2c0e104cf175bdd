#include "periodicals/PeriodicalsWindows.h"

#include "controls/CommandTable.h"

void registerPeriodicalsWindows(CommandTable& table)
{
    (void)table;
}
