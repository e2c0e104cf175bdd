#include "FuzzSheets.h"

#include <QDir>
#include <QFile>

#include <cstdlib>
#include <unistd.h>

namespace {
// Removed when the run ends.
struct InputFile {
    QString path = QDir::temp().filePath(QStringLiteral("schoollib-fuzz-%1").arg(getpid()));
    ~InputFile() { QFile::remove(path); }
};
}

QString fuzzInputFile(const uint8_t* data, size_t size)
{
    static const InputFile input;
    const QString& path = input.path;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        abort();
    return path;
}

void checkWorkbook(const Workbook& book, int maxRows, int maxColumns)
{
    for (const Sheet& sheet : book) {
        if (sheet.rowCount() > maxRows || sheet.columnCount() > maxColumns)
            abort();
        for (const CellRow& cells : sheet.rows)
            for (const SheetCell& cell : cells)
                cell.displayText();
    }
}
