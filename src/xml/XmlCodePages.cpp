#include "xml/XmlCodePages.h"

#include <QHash>
#include <QList>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iterator>
#include <utility>

#include <iconv.h>

namespace {
// One line per code page: the page, then the names that stand for it.
const char kNames[] = R"(154 csptcp154 cyrillic-asian cp154 pt154 ptcp154
437 ibm437 cspc8 codepage437 cp437 cspc8codepage437
708 asmo-708
720 dos-720
737 ibm737 cp737
775 ibm775 ebcdic-cp-be ebcdic-cp-ch cp500 csibm500 cp775 cspc775baltic
850 ibm850 cspc850multilingual cp850
852 ibm852 cp852 cspcp852
853 cp853
855 ibm855 cp855 csibm855
857 ibm857 cp857 csibm857
858 ccsid00858 cp00858 cp858 pc-multilingual-850+euro ibm00858
860 ibm860 cp860 csibm860
861 ibm861 cp861 csibm861 cp-is
862 ibm862 cp862 csibm862 cspc862latinhebrew dos-862
863 ibm863 cp863 csibm863
864 ibm864 cp864 csibm864
865 ibm865 cp865 csibm865
866 ibm866 cp866 csibm866
869 ibm869 cp869 csibm869 cp-gr
874 windows-874 cp874 tis-620 dos-874 iso-8859-11
932 x-ms-cp932 shift_jis sjis-win windows-932 cp932 ms_kanji ms932 sjis-ms shifft_jis-ms windows-31j cswindows31j sjis shifft_jis shift-jis x-sjis sjis-open csshiftjis
936 gb_2312-80 gb231280 windows-936 cp936 csiso58gb231280 ms936 gb2312-80 gb2312 csgb231280 chinese iso-ir-58 cn-gb csgb2312 gbk
949 ksc_5601 uhc korean iso-ir-149 csksc56011987 ks_c_5601-1987 ks_c_5601-1989 ksc5601 cp949 ks_c_5601 ks_c_5601_1987 ks-c5601 ks-c-5601
950 big5-hkscs big5 cp950 x-x-big5 csbig5 cn-big5
1125 cp1125
1133 cp1133 ibm-cp1133
1200 ucs-2le utf-16 utf16le utf-16le cp1200 ucs-2 unicode utf16
1201 ucs-2be utf16be utf-16be unicodefffe cp1201
1250 windows-1250 cp1250 ms-ee x-cp1250
1251 windows-1251 cp1251 ms-cyrl x-cp1251
1252 windows-1252 cp1252 ms-ansi x-ansi
1253 windows-1253 cp1253 ms-greek
1254 windows-1254 cp1254 ms-turk
1255 windows-1255 cp1255 ms-hebr
1256 windows-1256 cp1256 ms-arab
1257 windows-1257 cp1257 winbaltrim
1258 windows-1258 cp1258
1361 johab cp1361
10000 macintosh csmacintosh mac
10001 x-mac-japanese
10002 x-mac-chinesetrad
10003 x-mac-korean
10004 x-mac-arabic
10005 x-mac-hebrew
10006 x-mac-greek
10007 x-mac-cyrillic
10008 x-mac-chinesesimp
10010 x-mac-romanian
10017 x-mac-ukrainian
10021 x-mac-thai
10029 x-mac-ce
10079 x-mac-icelandic
10081 x-mac-turkish
10082 x-mac-croatian
12000 utf-32 utf32le utf-32le utf32 cp12000
12001 utf32be utf-32be cp12001
20000 x-chinese-cns x-chinese_cns
20001 x-cp20001
20002 x_chinese-eten x-chinese-eten
20003 x-cp20003
20004 x-cp20004
20005 x-cp20005
20105 x-ia5
20106 x-ia5-german
20107 x-ia5-swedish
20108 x-ia5-norwegian
20127 ibm367 us-ascii ascii cp367 iso-ir-6 us csascii ansi_x3.4-1968 ansi_x3.4-1986 iso646-us iso-ir-6us iso_646.irv:1991
20261 x-cp20261
20269 x-cp20269
20866 koi koi8r koi8 koi8-r cskoi8r
21866 koi8-ru koi8-u
20932 cseucpkdfmtjapanese extended_unix_code_packed_format_for_japanese euc-jp
20936 x-cp20936
20949 x-cp20949
28591 iso-8859-1 iso8859-1 iso_8859-1 iso_8859-1:1987 csisolatin1 l1 latin1 iso-ir-100 ibm819 cp819
28592 iso-8859-2 iso8859-2 iso_8859-2 iso_8859-2:1987 csisolatin2 l2 latin2 iso-ir-101
28593 iso-8859-3 iso8859-3 iso_8859-3 iso_8859-3:1988 csisolatin3 l3 latin3 iso-ir-109
28594 iso-8859-4 iso8859-4 iso_8859-4 iso_8859-4:1988 csisolatin4 l4 latin4 iso-ir-110
28595 iso-8859-5 iso8859-5 iso_8859-5 iso_8859-5:1988 csisolatincyrillic cyrillic iso-ir-144
28596 iso-8859-6 iso8859-6 iso_8859-6 iso_8859-6:1987 csisolatinarabic arabic ecma-114 iso-ir-127
28597 iso-8859-7 iso8859-7 iso_8859-7 iso_8859-7:1987 csisolatingreek greek greek8 elot_928 ecma-118 iso-ir-126
28598 iso-8859-8 iso8859-8 iso_8859-8 iso_8859-8:1988 csisolatinhebrew hebrew visual iso-ir-138
28599 iso-8859-9 iso8859-9 iso_8859-9 iso_8859-9:1989 csisolatin5 l5 latin5 iso-ir-148
28603 iso8859-13 iso-8859-13
28605 l9 latin-9 iso_8859-15 iso8859-15 iso-8859-15 latin9
29001 x-europa
38598 iso8859-8-i iso-8859-8-i logical
50220 iso-2022-jp
50221 _iso-2022-jp ms50221 iso-2022-jp-ms csiso2022jp iso2022-jp-ms windows-50221 cp50221
50222 _iso-2022-jp$sio
50225 iso2022-kr csiso2022kr iso-2022-kr
50227 x-cp50227
51932 cp51932 x-euc ms51932 x-euc-jp windows-51932
51936 euc-cn x-euc-cn
51949 euc-kr cseuckr
52936 hz-gb-2312
54936 iso-4873:1986 gb18030
57002 x-iscii-de
57003 x-iscii-be
57004 x-iscii-ta
57005 x-iscii-te
57006 x-iscii-as
57007 x-iscii-or
57008 x-iscii-ka
57009 x-iscii-ma
57010 x-iscii-gu
57011 x-iscii-pa
65000 unicode-1-1-utf-7 x-unicode-2-0-utf-7 csunicode11utf7 utf-7
65001 unicode-1-1-utf-8 unicode-2-0-utf-8 x-unicode-2-0-utf-8 utf8 utf-8 cp65001)";

constexpr int kUtf32 = 65005;

const QHash<QByteArray, int>& nameTable()
{
    static const QHash<QByteArray, int> table = [] {
        QHash<QByteArray, int> t;
        for (const QByteArray& line : QByteArray(kNames).split('\n')) {
            const QList<QByteArray> words = line.split(' ');
            for (qsizetype i = 1; i < words.size(); ++i)
                t.insert(words[i], words[0].toInt());
        }
        // A name other systems write with a trailing blank.
        t.insert("cp1256 ", 1256);
        return t;
    }();
    return table;
}

struct PageName {
    int codePage;
    const char* name;
};

const PageName kIconvNames[] = {
    {154, "PT154"}, {437, "CP437"}, {708, "ASMO-708"}, {737, "CP737"}, {775, "CP775"}, {850, "CP850"},
    {852, "CP852"}, {855, "CP855"}, {857, "CP857"}, {858, "CP858"}, {860, "CP860"}, {861, "CP861"},
    {862, "CP862"}, {863, "CP863"}, {864, "CP864"}, {865, "CP865"}, {866, "CP866"}, {869, "CP869"},
    {874, "CP874"}, {932, "CP932"}, {936, "GBK"}, {949, "CP949"}, {950, "BIG5"}, {1125, "CP1125"},
    {1133, "CP1133"}, {1200, "UTF-16LE"}, {1201, "UTF-16BE"}, {1250, "CP1250"}, {1251, "CP1251"},
    {1252, "CP1252"}, {1253, "CP1253"}, {1254, "CP1254"}, {1255, "CP1255"}, {1256, "CP1256"},
    {1257, "CP1257"}, {1258, "CP1258"}, {1361, "JOHAB"}, {10000, "MACINTOSH"}, {10007, "MAC-CYRILLIC"},
    {10017, "MAC-UK"}, {10029, "MAC-CENTRALEUROPE"}, {10079, "MAC-IS"}, {12000, "UTF-32LE"},
    {12001, "UTF-32BE"}, {20106, "ISO646-DE"}, {20107, "ISO646-SE"}, {20108, "ISO646-NO"}, {20127, "ASCII"},
    {20261, "T.61-8BIT"}, {20269, "ISO_6937"}, {20866, "KOI8-R"}, {21866, "KOI8-U"}, {20932, "EUC-JP"},
    {20936, "GB2312"}, {28591, "ISO-8859-1"}, {28592, "ISO-8859-2"}, {28593, "ISO-8859-3"},
    {28594, "ISO-8859-4"}, {28595, "ISO-8859-5"}, {28596, "ISO-8859-6"}, {28597, "ISO-8859-7"},
    {28598, "ISO-8859-8"}, {28599, "ISO-8859-9"}, {28603, "ISO-8859-13"}, {28605, "ISO-8859-15"},
    {38598, "ISO-8859-8"}, {50220, "ISO-2022-JP"}, {50221, "ISO-2022-JP"}, {50222, "ISO-2022-JP"},
    {50225, "ISO-2022-KR"}, {50227, "ISO-2022-CN"}, {51932, "EUC-JP"}, {51936, "EUC-CN"}, {51949, "EUC-KR"}, {54936, "GB18030"},
    {kUtf32, "UTF-32"}, {65000, "UTF-7"}, {XmlCodePages::kUtf8, "UTF-8"},
};

// The pages iconv lacks, by the names Qt's converters know them by.
const PageName kQtNames[] = {
    {720, "windows-720"},  {10006, "x-mac-greek"}, {10081, "x-mac-turkish"}, {52936, "HZ-GB-2312"},
    {57002, "x-iscii-de"}, {57003, "x-iscii-be"},  {57004, "x-iscii-ta"},    {57005, "x-iscii-te"},
    {57006, "x-iscii-as"}, {57007, "x-iscii-or"},  {57008, "x-iscii-ka"},    {57009, "x-iscii-ma"},
    {57010, "x-iscii-gu"}, {57011, "x-iscii-pa"},
};

const char* nameIn(const PageName* begin, const PageName* end, int codePage)
{
    const auto found = std::find_if(begin, end, [&](const PageName& n) { return n.codePage == codePage; });
    return found == end ? nullptr : found->name;
}

// How far to step over a sequence the conversion refused.
size_t skipLength(const char* from, const char* at, size_t left)
{
    if (std::strstr(from, "32"))
        return std::min<size_t>(4, left);
    if (std::strstr(from, "16"))
        return std::min<size_t>(2, left);
    size_t n = 1;
    if (std::strcmp(from, "UTF-8") == 0)
        while (n < left && (static_cast<unsigned char>(at[n]) & 0xC0) == 0x80)
            ++n;
    return n;
}

QByteArray replacementCharacter(const char* to)
{
    QByteArray question("?");
    iconv_t cd = iconv_open(to, "UTF-8");
    if (cd == iconv_t(-1))
        return question;
    char* src = question.data();
    size_t srcLeft = 1;
    char buffer[8];
    char* dst = buffer;
    size_t dstLeft = sizeof buffer;
    const bool ok = iconv(cd, &src, &srcLeft, &dst, &dstLeft) != size_t(-1);
    iconv_close(cd);
    return ok ? QByteArray(buffer, qsizetype(dst - buffer)) : question;
}

class IconvConverter : public XmlCodePages::Converter {
public:
    IconvConverter(const char* from, const char* to)
        : m_cd(iconv_open(to, from)), m_from(from), m_replacement(replacementCharacter(to))
    {
    }
    ~IconvConverter() override
    {
        if (isValid())
            iconv_close(m_cd);
    }
    IconvConverter(const IconvConverter&) = delete;
    IconvConverter& operator=(const IconvConverter&) = delete;

    bool isValid() const { return m_cd != iconv_t(-1); }

    void convert(QByteArrayView in, QByteArray& out, bool& lossy) override
    {
        if (m_waiting.isEmpty()) {
            m_waiting = in.last(run(in, out, lossy, false)).toByteArray();
        } else {
            const QByteArray piece = std::exchange(m_waiting, {}) + in.toByteArray();
            m_waiting = piece.right(run(piece, out, lossy, false));
        }
    }

    bool finish(QByteArray& out, bool& lossy) override
    {
        const bool whole = m_waiting.isEmpty();
        run(std::exchange(m_waiting, {}), out, lossy, true);
        char buffer[64];
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        iconv(m_cd, nullptr, nullptr, &dst, &dstLeft);
        out.append(buffer, qsizetype(dst - buffer));
        return whole;
    }

private:
    // Unless `final`, a character cut off at the end of `in` is left unconverted; returns how
    // many bytes were left.
    qsizetype run(QByteArrayView in, QByteArray& out, bool& lossy, bool final)
    {
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = size_t(in.size());
        char buffer[4096];
        while (srcLeft > 0) {
            char* dst = buffer;
            size_t dstLeft = sizeof buffer;
            const size_t done = iconv(m_cd, &src, &srcLeft, &dst, &dstLeft);
            const int error = errno;
            out.append(buffer, qsizetype(dst - buffer));
            if (done != size_t(-1) || error == E2BIG)
                continue;
            if (error == EINVAL && !final)
                return qsizetype(srcLeft);
            // A sequence that is not valid in the source, or that the target lacks.
            lossy = true;
            out += m_replacement;
            const size_t skip = skipLength(m_from.constData(), src, srcLeft);
            src += skip;
            srcLeft -= skip;
        }
        return 0;
    }

    iconv_t m_cd;
    QByteArray m_from;
    QByteArray m_replacement;
    QByteArray m_waiting;  // a character cut at the end of the last piece
};

// Qt's converters with the count of characters they could not convert, which the
// converter's own error flag gives only once for its whole life.
template <typename Base> class Counting : public Base {
public:
    using Base::Base;
    qsizetype failures() const { return this->state.invalidChars; }
};

// A page's text to UTF-8. Qt's converters hold back what might still combine with the next
// byte (a character of ISCII, a '~' or lead byte of HZ) and have no call that lets it go at
// the end; a line end does: it is a character of its own in every page they convert here.
// Bytes the page does not define come out as U+FFFD, which no page converted here holds; they
// are written '?', as iconv's are.
class QtDecoder : public XmlCodePages::Converter {
public:
    explicit QtDecoder(const char* name) : m_decoder(name)
    {
        // What the line end gives from a fresh start: the line end, or nothing while it waits.
        QStringDecoder fresh(name);
        m_releaseText = fresh.decode(QByteArrayView("\n"));
    }

    bool isValid() const { return m_decoder.isValid(); }

    void convert(QByteArrayView in, QByteArray& out, bool& lossy) override
    {
        const qsizetype failed = m_decoder.failures();
        append(m_decoder.decode(in), failed, out, lossy);
    }

    bool finish(QByteArray& out, bool& lossy) override
    {
        const qsizetype failed = m_decoder.failures();
        QString rest = m_decoder.decode(QByteArrayView("\n"));
        if (rest.endsWith(m_releaseText))
            rest.chop(m_releaseText.size());
        const bool whole = m_decoder.failures() == failed;
        append(rest, failed, out, lossy);
        m_decoder.resetState();
        return whole;
    }

private:
    void append(QString text, qsizetype failedBefore, QByteArray& out, bool& lossy) const
    {
        if (m_decoder.failures() > failedBefore) {
            lossy = true;
            text.replace(QChar::ReplacementCharacter, QLatin1Char('?'));
        }
        out += text.toUtf8();
    }

    Counting<QStringDecoder> m_decoder;
    QString m_releaseText;
};

// UTF-8 to a page. Characters the page lacks become the converter's substitute byte, which
// is written '?', as iconv's are; a line end ends what waits, as for QtDecoder.
class QtEncoder : public XmlCodePages::Converter {
public:
    explicit QtEncoder(const char* name)
        : m_utf8(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom), m_encoder(name)
    {
        QStringEncoder fresh(name);
        // The escape a fresh converter opens a text with (HZ's "~}", ISCII's script), though a
        // reader starts in that state anyway. Left out, a document's declaration stays at its
        // first byte, where a reader looks for it.
        m_opening = fresh.encode(u"<");
        m_opening.chop(1);
        // U+FFFF is no character, so no page has it.
        const QByteArray substitute = QStringEncoder(name).encode(QStringView(u"\uFFFF"));
        if (!substitute.isEmpty() && substitute.back() != '?') {
            m_substitute = substitute.back();
            // Followed by a line end, which lets a character held back go.
            m_substituteFor = QString(QStringDecoder(name).decode(QByteArray(1, m_substitute) + '\n')).left(1);
        }
    }

    bool isValid() const { return m_encoder.isValid(); }

    void convert(QByteArrayView in, QByteArray& out, bool& lossy) override { encode(in, out, lossy); }

    bool finish(QByteArray& out, bool& lossy) override
    {
        const qsizetype cut = m_utf8.failures();
        QByteArray rest;
        encode(QByteArrayView("\n"), rest, lossy);
        if (rest.endsWith('\n'))
            rest.chop(1);
        out += rest;
        const bool whole = m_utf8.failures() == cut;
        m_utf8.resetState();
        m_encoder.resetState();
        m_started = false;
        return whole;
    }

private:
    void encode(QByteArrayView in, QByteArray& out, bool& lossy)
    {
        const qsizetype failed = m_utf8.failures() + m_encoder.failures();
        const QString text = m_utf8.decode(in);
        QByteArray bytes = m_encoder.encode(text);
        if (!m_started && !bytes.isEmpty()) {
            m_started = true;
            if (bytes.startsWith(m_opening))
                bytes.remove(0, m_opening.size());
        }
        if (m_utf8.failures() + m_encoder.failures() > failed) {
            lossy = true;
            if (m_substitute && !text.contains(m_substituteFor))
                bytes.replace(m_substitute, '?');
        }
        out += bytes;
    }

    Counting<QStringDecoder> m_utf8;
    Counting<QStringEncoder> m_encoder;
    QByteArray m_opening;
    char m_substitute = 0;
    QString m_substituteFor;  // the character that has the substitute byte for its own
    bool m_started = false;
};

template <typename Direction> std::unique_ptr<XmlCodePages::Converter> qtConverter(int codePage)
{
    const char* name = nameIn(std::begin(kQtNames), std::end(kQtNames), codePage);
    if (!name)
        return nullptr;
    auto converter = std::make_unique<Direction>(name);
    if (!converter->isValid())
        return nullptr;
    return converter;
}

std::unique_ptr<XmlCodePages::Converter> iconvConverter(const char* from, const char* to)
{
    auto converter = std::make_unique<IconvConverter>(from, to);
    if (!converter->isValid())
        return nullptr;
    return converter;
}

const char* iconvName(int codePage)
{
    return nameIn(std::begin(kIconvNames), std::end(kIconvNames), codePage ? codePage : XmlCodePages::kUtf8);
}
}

int XmlCodePages::codePage(const char* name)
{
    if (!name || !*name)
        return 0;
    int page;
    if (std::strcmp(name, "UTF-32") == 0) {
        page = kUtf32;
    } else {
        if (std::strlen(name) >= 100)
            return -1;
        page = nameTable().value(QByteArray(name).toLower(), -1);
    }
    return page;
}

std::unique_ptr<XmlCodePages::Converter> XmlCodePages::decoder(int codePage)
{
    if (const char* name = iconvName(codePage))
        if (auto converter = iconvConverter(name, "UTF-8"))
            return converter;
    return qtConverter<QtDecoder>(codePage);
}

std::unique_ptr<XmlCodePages::Converter> XmlCodePages::encoder(int codePage)
{
    if (const char* name = iconvName(codePage))
        if (auto converter = iconvConverter("UTF-8", name))
            return converter;
    return qtConverter<QtEncoder>(codePage);
}
