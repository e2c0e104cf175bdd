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

QString gbkLeft(const QString& text, int maxBytes)
{
    int bytes = 0;
    qsizetype end = 0;
    while (end < text.size()) {
        const bool pair = text[end].isHighSurrogate() && end + 1 < text.size();
        const int width = text[end].unicode() < 0x80 ? 1 : 2;
        if (bytes + width > maxBytes)
            break;
        bytes += width;
        end += pair ? 2 : 1;
    }
    return text.left(end);
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
