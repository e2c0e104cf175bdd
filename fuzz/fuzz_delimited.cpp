// Any bytes as a delimited text file, with a comma, a TAB and a sheet name as separator:
// every row written back as the program writes rows reads as the same cells.
#include "sheets/DelimitedText.h"

#include <algorithm>
#include <cstdlib>

namespace {
bool sameTexts(const CellRow& a, const CellRow& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].displayText() != b[i].displayText())
            return false;
    }
    return true;
}

void check(const QByteArray& bytes, const QString& separator)
{
    const Sheet sheet = parseDelimited(bytes, separator);
    for (const CellRow& cells : sheet.rows) {
        if (std::all_of(cells.begin(), cells.end(), [](const SheetCell& c) { return c.isEmpty(); }))
            continue;  // a blank row alone is no row
        const Sheet again = parseDelimited(delimitedRow(cells, separator).toUtf8(), separator);
        if (again.rows.size() != 1 || !sameTexts(again.rows.front(), cells))
            abort();
    }
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    check(bytes, QStringLiteral(","));
    check(bytes, QStringLiteral("\t"));
    check(bytes, QStringLiteral("sheet1"));
    return 0;
}
