// Feeds any bytes to the MARC reader as a file and reads every record's list texts: the
// reader must never read outside the file, and never list a damaged record.
#include "db/BookFields.h"
#include "marc/MarcReader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const MarcReader reader(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    const QList<QStringList> rows = reader.rows(QStringLiteral("2017-04-11"));
    if (reader.faultCount() > reader.recordCount() || rows.size() > reader.recordCount() - reader.faultCount())
        abort();
    if (reader.faultMessage().isEmpty() != (reader.faultCount() == 0))
        abort();
    for (const QStringList& row : rows)
        if (row.size() != kBookFieldCount || row[kTitle].isEmpty())
            abort();
    return 0;
}
