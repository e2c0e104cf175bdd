#include "core/TextCodec.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

QByteArray convertEncoding(const char* to, const char* from, const QByteArray& input, const QByteArray& replacement)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return {};
    QByteArray out(input.size() * 2 + 16, Qt::Uninitialized);
    char* in = const_cast<char*>(input.constData());
    size_t inLeft = size_t(input.size());
    qsizetype written = 0;
    while (inLeft > 0) {
        char* dst = out.data() + written;
        size_t outLeft = size_t(out.size() - written);
        const size_t result = iconv(cd, &in, &inLeft, &dst, &outLeft);
        written = out.size() - qsizetype(outLeft);
        if (result != size_t(-1))
            break;
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        // EILSEQ or EINVAL: one byte that starts no character here.
        ++in;
        --inLeft;
        if (out.size() - written < replacement.size())
            out.resize(out.size() * 2 + replacement.size());
        std::copy(replacement.begin(), replacement.end(), out.data() + written);
        written += replacement.size();
    }
    iconv_close(cd);
    out.resize(written);
    return out;
}

QString fromGbk(const QByteArray& bytes)
{
    return QString::fromUtf8(convertEncoding("UTF-8", "GBK", bytes));
}

QByteArray toGbk(const QString& text)
{
    return convertEncoding("GBK//TRANSLIT", "UTF-8", text.toUtf8());
}

bool isValidUtf8(const QByteArray& bytes)
{
    // Every invalid or truncated sequence decodes to U+FFFD, which does not encode back to
    // the same bytes; the decoder's own error flag misses both in this Qt version.
    return QString::fromUtf8(bytes).toUtf8() == bytes;
}

QByteArrayView withoutUtf8Bom(QByteArrayView bytes)
{
    const QByteArrayView mark("\xEF\xBB\xBF");
    return bytes.startsWith(mark) ? bytes.sliced(mark.size()) : bytes;
}

QString decodeText(const QByteArray& bytes)
{
    if (const QByteArrayView text = withoutUtf8Bom(bytes); text.size() != bytes.size())
        return decodeText(text.toByteArray());
    return isValidUtf8(bytes) ? QString::fromUtf8(bytes) : fromGbk(bytes);
}
