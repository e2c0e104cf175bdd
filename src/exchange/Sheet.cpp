#include "exchange/Sheet.h"

#include <algorithm>

int Sheet::columnCount() const
{
    size_t widest = 0;
    for (const CellRow& cells : rows)
        widest = std::max(widest, cells.size());
    return int(widest);
}

void Sheet::dropTrailingEmptyRows()
{
    auto blank = [](const CellRow& cells) {
        return std::all_of(cells.begin(), cells.end(), [](const SheetCell& c) { return c.isEmpty(); });
    };
    while (!rows.empty() && blank(rows.back()))
        rows.pop_back();
}
