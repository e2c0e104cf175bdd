#include "sheets/SpreadsheetIdle.h"

std::atomic<int> g_bSpreadsheetIdle{0};
