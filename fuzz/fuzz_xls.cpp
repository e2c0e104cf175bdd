// Any bytes as an .xls file: the reader either gives sheets within the format's bounds or
// refuses the file with a reason.
#include "FuzzSheets.h"
#include "sheets/SpreadsheetFormat.h"
#include "sheets/XlsReader.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Workbook book;
    QString error;
    if (readXls(fuzzInputFile(data, size), &book, &error))
        checkWorkbook(book, kXlsMaxRows, kXlsMaxColumns);
    else if (error.isEmpty())
        abort();
    return 0;
}
