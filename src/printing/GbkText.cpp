#include "printing/GbkText.h"

#include "core/TextCodec.h"

QByteArray gbkPrefix(const QByteArray& gbk, int maxBytes)
{
    int end = 0;
    while (end < gbk.size()) {
        const int length = static_cast<unsigned char>(gbk[end]) >= 0x81 ? 2 : 1;
        if (end + length > maxBytes || end + length > gbk.size())
            break;
        end += length;
    }
    return gbk.left(end);
}

bool encodeGbk(const QString& text, QByteArray* gbk)
{
    *gbk = toGbk(text);
    return fromGbk(*gbk) == text;
}

QString zeroTerminatedGbk(const char* bytes, int size)
{
    const int length = static_cast<int>(qstrnlen(bytes, static_cast<size_t>(size - 1)));
    return fromGbk(gbkPrefix(QByteArray(bytes, length), size - 1));
}
