// Feeds any bytes to the MARC reader as a file and reads every record's list texts: the
// reader must never read outside the file, and lists only rows with a title.
#include "db/BookFields.h"
#include "marc/MarcReader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const MarcReader reader(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    const QList<QStringList> rows = reader.rows(QStringLiteral("2017-04-11"));
    for (const QStringList& row : rows)
        if (row.size() != kBookFieldCount || row[kTitle].isEmpty())
            abort();
    return 0;
}
