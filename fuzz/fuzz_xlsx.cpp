// Any bytes as an .xlsx file: the reader either gives sheets within the format's bounds or
// refuses the file with a reason. Mutated deflate data rarely inflates and never passes the
// CRC check, so an input not starting as a zip is taken as the workbook's parts, separated
// by kPartBreak, and zipped here: the mutations then reach the XML.
#include "FuzzSheets.h"
#include "sheets/SpreadsheetFormat.h"
#include "sheets/XlsxReader.h"

#include <QFile>

#include <zip.h>

#include <cstdlib>

namespace {
const QByteArray kPartBreak("\n--part--\n");
const char* const kParts[] = {"xl/workbook.xml", "xl/_rels/workbook.xml.rels", "xl/sharedStrings.xml",
                              "xl/styles.xml", "xl/worksheets/sheet1.xml"};

void zipParts(const QString& path, const QByteArray& input)
{
    zipFile zip = zipOpen(QFile::encodeName(path).constData(), APPEND_STATUS_CREATE);
    if (!zip)
        abort();
    qsizetype from = 0;
    for (const char* name : kParts) {
        const qsizetype to = input.indexOf(kPartBreak, from);
        const QByteArray part = input.mid(from, to < 0 ? -1 : to - from);
        zipOpenNewFileInZip(zip, name, nullptr, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED, 1);
        zipWriteInFileInZip(zip, part.constData(), unsigned(part.size()));
        zipCloseFileInZip(zip);
        if (to < 0)
            break;
        from = to + kPartBreak.size();
    }
    zipClose(zip, nullptr);
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = fuzzInputFile(data, size);
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    if (!input.startsWith("PK")) {
        QFile::remove(path);
        zipParts(path, input);
    }
    Workbook book;
    QString error;
    if (readXlsx(path, &book, &error))
        checkWorkbook(book, kXlsxMaxRows, kXlsxMaxColumns);
    else if (error.isEmpty())
        abort();
    return 0;
}
