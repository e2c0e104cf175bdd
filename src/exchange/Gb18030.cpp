#include "exchange/Gb18030.h"

#include <cerrno>
#include <iconv.h>

namespace {
// Converts all of `input`; an invalid sequence is replaced by `replacement` and skipped.
QByteArray convert(const char* to, const char* from, const QByteArray& input, const QByteArray& replacement)
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
            out.resize(out.size() * 2);
        std::copy(replacement.begin(), replacement.end(), out.data() + written);
        written += replacement.size();
    }
    iconv_close(cd);
    out.resize(written);
    return out;
}
}

QByteArray toGb18030(const QString& text)
{
    // GB18030 maps every code point, so only a broken UTF-8 byte could fail: none occur.
    return convert("GB18030", "UTF-8", text.toUtf8(), QByteArrayLiteral("?"));
}

QString fromGb18030(const QByteArray& bytes)
{
    return QString::fromUtf8(convert("UTF-8", "GB18030", bytes, QByteArrayLiteral("\xEF\xBF\xBD")));
}
