#include "printing/CustomCardPages.h"

#include "printing/LogFont.h"
#include "printing/ReaderCard.h"

void CustomCardPages::DrawPage(QPainter& painter, int page, double sx, double sy) const
{
    CReaderCard card;
    card.SetSize(CardPage::kCardWidth, CardPage::kCardHeight);
    card.SetTitle(m_strTitle);
    const LogFont captionFont;
    const QStringList numbers = CodesOfPage(page);
    CardPage::Draw(painter, m_geometry, sx, sy, static_cast<int>(numbers.size()),
                   [&](int row, QPoint front, QPoint back) {
                       if (numbers[row].isEmpty())
                           return;
                       card.DrawCustom(painter, captionFont, numbers[row], front.x(), front.y(), sx, sy);
                       card.DrawBack(painter, captionFont, back.x(), back.y(), sx, sy);
                   });
}
