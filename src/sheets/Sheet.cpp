#include "sheets/Sheet.h"

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

int sheetIndex(const Workbook& book, const QString& name)
{
    if (name.isEmpty())
        return book.empty() ? -1 : 0;
    for (size_t i = 0; i < book.size(); ++i) {
        if (book[i].sheetName.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}
