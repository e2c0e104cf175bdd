#include "printing/ReaderCard.h"

#include "printing/Code128.h"
#include "printing/LogFont.h"

#include <QFontMetrics>
#include <QPainter>

#include <cmath>

namespace {
int scaled(int value, double scale) { return static_cast<int>(std::lround(value * scale)); }

const QString kSong = QStringLiteral("宋体");
const QString kLi = QStringLiteral("隶书");
const QString kHei = QStringLiteral("黑体");

bool isWide(QChar c) { return c.unicode() >= 0x80; }
}

QString CardReaderInfo::Headings() { return QStringLiteral("编号,80;姓名,70;性别,80;类别,80;部门,120"); }

CardReaderInfo CardReaderInfo::FromTexts(const QStringList& texts)
{
    return {texts.value(0), texts.value(1), texts.value(2), texts.value(3), texts.value(4)};
}

QStringList CardReaderInfo::Texts() const { return {m_strNumber, m_strName, m_strSex, m_strType, m_strDept}; }

CReaderCard::CReaderCard()
    : m_info{QStringLiteral("123456"), QStringLiteral("苏默言"), QStringLiteral("男"), QStringLiteral("教师"),
             QStringLiteral("教务处")}
    , m_strTitle(QStringLiteral("借　阅　证"))
{
}

void CReaderCard::SetSize(int width, int height)
{
    m_nWidth = width;
    m_nHeight = height;
}

QString CReaderCard::Rules()
{
    return QStringLiteral("　  1、本卡只在本单位使用,凭卡享受借书服务。\n"
                          "　　2、卡仅限本人使用，请妥善保管。\n"
                          "　　3、持本卡借书后，书籍不得转借、损坏，如有遗失、损坏情况，按价赔偿。\n"
                          "    4、读者离职时凭卡办理相关手续。\n");
}

QFont CReaderCard::PointFont(const QString& face, int points, double scale) const
{
    QFont font(face);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * 120.0 / 72.0 * scale))));
    return font;
}

void CReaderCard::DrawText(QPainter& painter, int x, int y, int dx, int dy, int flags, const QString& text, double sx,
                           double sy) const
{
    const QRect box(QPoint(scaled(x + dx, sx), scaled(y + dy, sy)),
                    QPoint(scaled(x + m_nWidth, sx), scaled(y + m_nHeight, sy)));
    painter.drawText(box, flags | Qt::TextSingleLine, text);
}

void CReaderCard::DrawRule(QPainter& painter, int x1, int x2, int y, double sx, double sy) const
{
    painter.save();
    painter.setPen(QPen(Qt::black, 2));
    for (int line : {y, y + 5})
        painter.drawLine(scaled(x1, sx), scaled(line, sy), scaled(x2, sx), scaled(line, sy));
    painter.restore();
}

void CReaderCard::DrawFront(QPainter& painter, const LogFont& captionFont, int x, int y, double sx, double sy) const
{
    painter.save();
    painter.setPen(Qt::black);
    painter.setFont(PointFont(kLi, 22, sx));
    DrawText(painter, x, y, 0, 5, Qt::AlignHCenter | Qt::AlignTop, m_strTitle, sx, sy);
    DrawRule(painter, x + 40, x + 390, y + 40, sx, sy);
    DrawRule(painter, x + 40, x + 390, y + 210, sx, sy);
    painter.setFont(PointFont(kSong, 12, sx));
    const int left = Qt::AlignLeft | Qt::AlignTop;
    DrawText(painter, x, y, 80, 65, left, QStringLiteral("姓名:"), sx, sy);
    DrawText(painter, x, y, 140, 65, left, m_info.m_strName, sx, sy);
    DrawText(painter, x, y, 270, 65, left, QStringLiteral("性别:"), sx, sy);
    DrawText(painter, x, y, 330, 65, left, m_info.m_strSex, sx, sy);
    DrawText(painter, x, y, 80, 105, left, QStringLiteral("类别:"), sx, sy);
    DrawText(painter, x, y, 140, 105, left, m_info.m_strType, sx, sy);
    DrawText(painter, x, y, 270, 105, left, QStringLiteral("部门:"), sx, sy);
    DrawText(painter, x, y, 330, 105, left, m_info.m_strDept, sx, sy);
    painter.restore();
    CCode128::DrawBarcode(painter, x + kFrontBarcodeLeft, y + 140, 1, 35, m_info.m_strNumber, captionFont, u"CODE128B",
                          true, sx, sy);
}

void CReaderCard::DrawBack(QPainter& painter, const LogFont&, int x, int y, double sx, double sy) const
{
    painter.save();
    painter.setPen(Qt::black);
    painter.setFont(PointFont(kLi, 21, sx));
    DrawText(painter, x, y, 0, 20, Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("持卡人须知"), sx, sy);
    DrawRule(painter, x + 115, x + 315, y + 60, sx, sy);
    painter.setFont(PointFont(kSong, 9, sx));
    // The right limit is measured from the page's left edge, not from the card.
    DrawWrappedText(painter, scaled(x + 40, sx), scaled(y + 80, sy), scaled(860, sx), scaled(23, sy), Rules());
    painter.restore();
}

void CReaderCard::DrawCustom(QPainter& painter, const LogFont& captionFont, const QString& number, int x, int y,
                             double sx, double sy) const
{
    painter.save();
    painter.setPen(Qt::black);
    const int left = Qt::AlignLeft | Qt::AlignTop;
    painter.setFont(PointFont(kHei, 12, sx));
    DrawText(painter, x, y, 50, 15, left, m_strTitle, sx, sy);
    painter.setFont(PointFont(kLi, 22, sx));
    DrawText(painter, x, y, 20, 95, Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("借　阅　证"), sx, sy);
    DrawRule(painter, x + 40, x + 390, y + 45, sx, sy);
    DrawRule(painter, x + 40, x + 390, y + 210, sx, sy);
    painter.setFont(PointFont(kSong, 12, sx));
    DrawText(painter, x, y, 220, 155, left, QStringLiteral("NO:"), sx, sy);
    DrawText(painter, x, y, 250, 155, left, number, sx, sy);
    painter.restore();
    CCode128::DrawBarcode(painter, x + kCustomBarcodeLeft, y + 155, 1, 30, number, captionFont, u"CODE128B", true, sx, sy);
}

QList<CReaderCard::PlacedCharacter> CReaderCard::PlaceWrapped(const QString& text, int x, int y, int right,
                                                             int lineHeight, int narrow, int wide)
{
    QList<PlacedCharacter> placed;
    int atX = x;
    int atY = y;
    const auto newLine = [&] {
        atX = x;
        atY += lineHeight;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            newLine();
            continue;
        }
        int advance = 4 * narrow;
        if (c != QLatin1Char('\t')) {
            placed.append({i, QPoint(atX, atY)});
            advance = isWide(c) ? wide : narrow;
        }
        if (right - x < advance)
            continue;
        atX += advance;
        if (atX > right)
            newLine();
    }
    return placed;
}

void CReaderCard::DrawWrappedText(QPainter& painter, int x, int y, int right, int lineHeight, const QString& text)
{
    const QFontMetrics metrics = painter.fontMetrics();
    const int narrow = std::max(1, metrics.averageCharWidth());
    const int wide = std::max(1, metrics.maxWidth());
    for (const PlacedCharacter& character : PlaceWrapped(text, x, y, right, lineHeight, narrow, wide))
        painter.drawText(character.at.x(), character.at.y() + metrics.ascent(), QString(text[character.index]));
}
