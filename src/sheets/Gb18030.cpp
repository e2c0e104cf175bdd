#include "sheets/Gb18030.h"

#include "core/TextCodec.h"

QByteArray toGb18030(const QString& text)
{
    // GB18030 maps every code point, so only a broken UTF-8 byte could fail: none occur.
    return convertEncoding("GB18030", "UTF-8", text.toUtf8(), QByteArrayLiteral("?"));
}

QString fromGb18030(const QByteArray& bytes)
{
    return QString::fromUtf8(convertEncoding("UTF-8", "GB18030", bytes, QByteArrayLiteral("\xEF\xBF\xBD")));
}
