#pragma once

class CommandTable;

// Puts every window of the program into the command table.
void registerAllWindows(CommandTable& table);
