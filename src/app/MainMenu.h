#pragma once

#include <QString>
#include <vector>

// The main window's menu, toolbar and the command ids they send.
namespace MainMenu {

enum Command {
    AdminSet = 32791,
    ExitSystem = 32795,
    BookAdd = 32796,
    BookLend = 32801,
    ReaderAdd = 32805,
    BookQuery = 32808,
    Help = 32815,
    LendQuery = 32820,
    PeriodicalLend = 32839,
    PeriodicalAdd = 32840,
    ImportLendHistory = 32886,
};

struct Entry {
    int id;           // 0 for a separator
    QString caption;
};

struct Popup {
    QString title;
    std::vector<Entry> entries;
};

struct ToolButton {
    int id;
    QString text;
    int icon;  // the program's icon number (resourceIcon)
};

const std::vector<Popup>& popups();
const std::vector<ToolButton>& toolButtons();

// The command whose window a command id opens: toolbar buttons and a few ids that no
// menu sends share the handler of a menu command.
int target(int id);
// Ids the window answers with nothing at all.
bool isEmptyCommand(int id);
// Every command id the window handles, menu and toolbar included.
std::vector<int> allCommands();

}
