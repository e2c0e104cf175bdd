#include "exchange/ExchangeWindows.h"

#include "controls/CommandTable.h"

void registerExchangeWindows(CommandTable& table)
{
    (void)table;
}
