#include "printing/Code128.h"

#include "printing/LogFont.h"

#include <QFontMetrics>
#include <QPainter>

#include <cmath>
#include <cstring>

namespace {
// The bar and space widths of symbol values 0 to 106, as the Code 128 standard lists them.
constexpr const char* kPatterns[107] = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212", "221213",
    "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221", "223211", "221132",
    "221231", "213212", "223112", "312131", "311222", "321122", "321221", "312212", "322112", "322211",
    "212123", "212321", "232121", "111323", "131123", "131321", "112313", "132113", "132311", "211313",
    "231113", "231311", "112133", "112331", "132131", "113123", "113321", "133121", "313121", "211331",
    "231131", "213113", "213311", "213131", "311123", "311321", "331121", "312113", "312311", "332111",
    "314111", "221411", "431111", "111224", "111422", "121124", "121421", "141122", "141221", "112214",
    "112412", "122114", "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111",
    "111242", "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311", "113141",
    "114131", "311141", "411131", "211412", "211214", "211232", "2331112"};

constexpr int kCodeB = 100;  // in set C: the following character is in set B

QString characterRefusal(QChar c)
{
    return QStringLiteral("字符“%1”不能编码").arg(c);
}

int scaled(int value, double scale) { return static_cast<int>(std::lround(value * scale)); }
}

Code128Symbol::Code128Symbol(int start) : m_nCount(1), m_nWeighted(start) { m_values[0] = static_cast<quint8>(start); }

Code128Symbol Code128Symbol::Refused(QString reason)
{
    Code128Symbol symbol;
    symbol.m_strRefusal = std::move(reason);
    return symbol;
}

bool Code128Symbol::Add(int value)
{
    if (m_nCount > kMaxData)
        return false;
    m_nWeighted += value * m_nCount;
    m_values[m_nCount++] = static_cast<quint8>(value);
    return true;
}

void Code128Symbol::Finish() { m_values[m_nCount++] = static_cast<quint8>(m_nWeighted % 103); }

QByteArray Code128Symbol::Modules() const
{
    if (!IsValid())
        return {};
    QByteArray modules(m_nCount * 6 + 7, Qt::Uninitialized);
    char* out = modules.data();
    for (int i = 0; i < m_nCount; ++i, out += 6)
        std::memcpy(out, kPatterns[m_values[i]], 6);
    std::memcpy(out, kPatterns[CCode128::kStop], 7);
    return modules;
}

const char* CCode128::Pattern(int value) { return value >= 0 && value <= kStop ? kPatterns[value] : ""; }

Code128Symbol CCode128::EncodeSetA(QStringView text)
{
    Code128Symbol symbol(kStartA);
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u > 95)
            return Code128Symbol::Refused(characterRefusal(c));
        if (!symbol.Add(u < 32 ? u + 64 : u - 32))
            return Code128Symbol::Refused(QStringLiteral("超过48个条码字符"));
    }
    symbol.Finish();
    return symbol;
}

Code128Symbol CCode128::EncodeSetB(QStringView text)
{
    Code128Symbol symbol(kStartB);
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 32 || u > 127)
            return Code128Symbol::Refused(characterRefusal(c));
        if (!symbol.Add(u - 32))
            return Code128Symbol::Refused(QStringLiteral("超过48个条码字符"));
    }
    symbol.Finish();
    return symbol;
}

Code128Symbol CCode128::EncodeSetC(QStringView text)
{
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return Code128Symbol::Refused(characterRefusal(c));
    Code128Symbol symbol(kStartC);
    const qsizetype pairs = text.size() / 2;
    bool fits = true;
    for (qsizetype i = 0; i < pairs && fits; ++i)
        fits = symbol.Add((text[2 * i].unicode() - '0') * 10 + (text[2 * i + 1].unicode() - '0'));
    // A last single digit cannot be a pair: switch to set B for it.
    if (fits && text.size() % 2 == 1)
        fits = symbol.Add(kCodeB) && symbol.Add(text.back().unicode() - 32);
    if (!fits)
        return Code128Symbol::Refused(QStringLiteral("超过48个条码字符"));
    symbol.Finish();
    return symbol;
}

Code128Symbol CCode128::Encode(QStringView text, QStringView type)
{
    if (type == u"CODE128A")
        return EncodeSetA(text);
    if (type == u"CODE128B" || type.isEmpty())
        return EncodeSetB(text);
    if (type == u"CODE128C")
        return EncodeSetC(text);
    return Code128Symbol::Refused(QStringLiteral("不支持条码类型"));
}

int CCode128::GetWidthB(QStringView text, int moduleWidth) { return EncodeSetB(text).ModuleCount() * moduleWidth; }

void CCode128::DrawBarcode(QPainter& painter, int x, int y, int moduleWidth, int barHeight, const QString& text,
                           const LogFont& font, QStringView type, bool textLine, double sx, double sy)
{
    const Code128Symbol symbol = Encode(text, type);
    // Whole device units per module keep every bar the same width, so scanners read it.
    const int module = std::max(1, scaled(moduleWidth, sx));
    const int left = scaled(x, sx);
    const int top = scaled(y, sy);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    int at = left;
    bool bar = true;
    for (char digit : symbol.Modules()) {
        const int width = (digit - '0') * module;
        painter.fillRect(at, top, width, scaled(barHeight, sy), bar ? Qt::black : Qt::white);
        at += width;
        bar = !bar;
    }
    if (textLine) {
        painter.setFont(font.ToQFont(sx));
        painter.setPen(Qt::black);
        const QFontMetrics metrics = painter.fontMetrics();
        const int centre = left + symbol.ModuleCount() * module / 2;
        painter.drawText(centre - metrics.horizontalAdvance(text) / 2, scaled(y + barHeight + 2, sy) + metrics.ascent(),
                         text);
    }
    painter.restore();
}
