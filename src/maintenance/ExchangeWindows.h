#pragma once

class CommandTable;

// Puts the windows of this part of the program into the command table.
void registerExchangeWindows(CommandTable& table);
