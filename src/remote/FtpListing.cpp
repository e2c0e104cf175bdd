#include "remote/FtpListing.h"

#include "core/TextCodec.h"

#include <QRegularExpression>

namespace {
// Type and permissions, links, owner, group, size, a three-part date, then the name.
const QRegularExpression kUnixLine(QStringLiteral(
    "^([-dlbcps])[-rwxsStT]{9}[+@.]?\\s+\\d+\\s+\\S+\\s+(?:\\S+\\s+)?\\d+\\s+\\S+\\s+\\d+\\s+[\\d:]+\\s(.+)$"));
// Date, time, "<DIR>" or a size, then the name.
const QRegularExpression kDosLine(
    QStringLiteral("^\\d{2}-\\d{2}-\\d{2,4}\\s+\\d{1,2}:\\d{2}(?:[AaPp][Mm])?\\s+(<DIR>|\\d+)\\s+(.+)$"));

// The name of the file on the line; empty for a folder, a link or a line of neither form.
QString fileName(const QString& line)
{
    const QRegularExpressionMatch unixForm = kUnixLine.match(line);
    if (unixForm.hasMatch())
        return unixForm.captured(1) == QLatin1String("-") ? unixForm.captured(2) : QString();
    const QRegularExpressionMatch dosForm = kDosLine.match(line);
    if (dosForm.hasMatch())
        return dosForm.captured(1) == QLatin1String("<DIR>") ? QString() : dosForm.captured(2);
    return {};
}
}

QStringList filesInListing(const QByteArray& listing)
{
    QStringList names;
    for (QByteArray line : listing.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        const QString name = fileName(decodeText(line));
        if (!name.isEmpty() && name != QLatin1String(".") && name != QLatin1String(".."))
            names << name;
    }
    return names;
}
