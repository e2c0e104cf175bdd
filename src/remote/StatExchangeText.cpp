#include "remote/StatExchangeText.h"

#include "core/TextCodec.h"

namespace StatExchangeFile {

QString periodDateText(const QDate& date)
{
    return QStringLiteral("%1-%2-%3").arg(date.year()).arg(date.month()).arg(date.day());
}

namespace {
// What a transfer cut before the end of the first line leaves: nothing, or the start of it.
bool cutInFirstLine(const QByteArray& bytes)
{
    if (bytes.contains('\n'))
        return false;
    for (const QByteArray& line : {toGbk(kBookTypes) + "\r\n", kBookTypes.toUtf8() + "\r\n"})
        if (line.startsWith(bytes))
            return true;
    return false;
}
}

Kind parse(const QByteArray& bytes, Sections* sections)
{
    if (cutInFirstLine(bytes))
        return Kind::Cut;
    QStringList lines = decodeText(bytes).split(QLatin1Char('\n'));
    for (QString& line : lines)
        line.remove(QLatin1Char('\r'));
    if (lines.isEmpty() || lines.first() != kBookTypes)
        return Kind::Other;
    *sections = Sections();
    QList<QStringList>* rows = &sections->bookTypes;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (line == kEntryDates && rows == &sections->bookTypes)
            rows = &sections->entryDates;
        else if (line == kLendings && rows == &sections->entryDates)
            rows = &sections->lendings;
        else if (!line.isEmpty())
            rows->append(line.split(QLatin1Char('\t')));
    }
    return rows == &sections->lendings && bytes.endsWith('\n') ? Kind::Whole : Kind::Cut;
}

}
