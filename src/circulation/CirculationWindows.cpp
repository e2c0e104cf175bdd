#include "circulation/CirculationWindows.h"

#include "controls/CommandTable.h"

void registerCirculationWindows(CommandTable& table)
{
    (void)table;
}
