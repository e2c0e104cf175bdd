#include "core/Collation.h"

#include "core/TextCodec.h"

#include <QCollator>
#include <algorithm>
#include <vector>

namespace {
const QCollator& zhCollator()
{
    static const QCollator collator = [] {
        QCollator c{QLocale(QLocale::Chinese, QLocale::China)};
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator;
}

constexpr char32_t kPlaneSize = 0x10000;

// The GBK code of every character of the Basic Multilingual Plane: its byte, or its two
// bytes read as one number; 0 where GBK has no such character.
const std::vector<quint16>& gbkCodes()
{
    static const std::vector<quint16> codes = [] {
        // Every code of GBK decoded at once, each on a line of its own. A code that stands
        // for no character decodes to nothing, to ASCII or (its trail byte 0x80 read alone)
        // to the euro sign, whose own code 0x80 comes first and is kept.
        std::vector<quint16> order{0x80};
        QByteArray lines("\x80\n");
        for (int lead = 0x81; lead <= 0xFE; ++lead) {
            for (int trail = 0x40; trail <= 0xFE; ++trail) {
                if (trail == 0x7F)
                    continue;
                order.push_back(quint16(lead << 8 | trail));
                lines += char(lead);
                lines += char(trail);
                lines += '\n';
            }
        }
        const QStringList decoded = fromGbk(lines).split(QLatin1Char('\n'));
        std::vector<quint16> table(kPlaneSize, 0);
        for (size_t i = 0; i < order.size() && qsizetype(i) < decoded.size(); ++i) {
            const QString& character = decoded[qsizetype(i)];
            if (character.size() == 1 && character[0].unicode() >= 0x80 && table[character[0].unicode()] == 0)
                table[character[0].unicode()] = order[i];
        }
        return table;
    }();
    return codes;
}

// The character at i, moving i past it; a lone surrogate stands for itself.
char32_t nextCharacter(const QString& text, qsizetype& i)
{
    const QChar c = text[i++];
    if (c.isHighSurrogate() && i < text.size() && text[i].isLowSurrogate())
        return QChar::surrogateToUcs4(c, text[i++]);
    return c.unicode();
}

// What one character weighs in gbkCaseCompare.
char32_t gbkWeight(char32_t c)
{
    if (c < 0x80)
        return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
    const std::vector<quint16>& codes = gbkCodes();
    if (c >= kPlaneSize || codes[c] == 0)
        return kPlaneSize + c;
    const char32_t upper = QChar::toUpper(c);
    return upper < kPlaneSize && codes[upper] != 0 ? codes[upper] : codes[c];
}
}

int collateCompare(const QString& a, const QString& b)
{
    const int r = zhCollator().compare(a, b);
    // Texts the collation holds equal (case variants) still need one fixed order.
    return r != 0 ? r : QString::compare(a, b);
}

void collateSort(QStringList& texts)
{
    std::stable_sort(texts.begin(), texts.end(),
                     [](const QString& a, const QString& b) { return collateCompare(a, b) < 0; });
}

int gbkCaseCompare(const QString& a, const QString& b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        const char32_t p = gbkWeight(nextCharacter(a, i));
        const char32_t q = gbkWeight(nextCharacter(b, j));
        if (p != q)
            return p < q ? -1 : 1;
    }
    return i < a.size() ? 1 : (j < b.size() ? -1 : 0);
}
