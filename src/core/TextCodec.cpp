#include "core/TextCodec.h"

#include <cerrno>
#include <iconv.h>

namespace {
QByteArray convert(const char* to, const char* from, const QByteArray& input)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return {};
    QByteArray out;
    out.resize(input.size() * 4 + 16);
    char* in = const_cast<char*>(input.constData());
    size_t inLeft = static_cast<size_t>(input.size());
    char* dst = out.data();
    size_t outLeft = static_cast<size_t>(out.size());
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &dst, &outLeft) != static_cast<size_t>(-1))
            continue;
        if (errno == E2BIG)
            break;
        // An unconvertible or truncated sequence: skip one byte and go on.
        ++in;
        --inLeft;
    }
    iconv_close(cd);
    out.resize(out.size() - static_cast<int>(outLeft));
    return out;
}
}

QString fromGbk(const QByteArray& bytes)
{
    return QString::fromUtf8(convert("UTF-8", "GBK", bytes));
}

QByteArray toGbk(const QString& text)
{
    return convert("GBK//TRANSLIT", "UTF-8", text.toUtf8());
}

bool isValidUtf8(const QByteArray& bytes)
{
    // Every invalid or truncated sequence decodes to U+FFFD, which does not encode back to
    // the same bytes; the decoder's own error flag misses both in this Qt version.
    return QString::fromUtf8(bytes).toUtf8() == bytes;
}

QString decodeText(const QByteArray& bytes)
{
    return isValidUtf8(bytes) ? QString::fromUtf8(bytes) : fromGbk(bytes);
}
