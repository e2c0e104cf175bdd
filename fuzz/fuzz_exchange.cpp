// Any bytes as a statistics exchange file fetched from the FTP server and as the server's
// folder listing: the readers must take or refuse them whole, and never take a file that
// does not end with a line end or a listed name that would leave the folder.
#include "remote/FtpListing.h"
#include "remote/StatExchangeText.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    StatExchangeFile::Sections sections;
    const StatExchangeFile::Kind kind = StatExchangeFile::parse(bytes, &sections);
    if (kind == StatExchangeFile::Kind::Whole && !bytes.endsWith('\n'))
        abort();
    for (const QList<QStringList>* rows : {&sections.bookTypes, &sections.entryDates, &sections.lendings})
        for (const QStringList& row : *rows)
            if (row.isEmpty() || row.join(QLatin1Char('\t')).contains(QLatin1Char('\n')))
                abort();
    for (const QString& name : filesInListing(bytes))
        if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")
            || name.contains(QLatin1Char('\n')))
            abort();
    return 0;
}
