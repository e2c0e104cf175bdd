#include "printing/ReaderCardPages.h"

#include "printing/LogFont.h"

#include <algorithm>

ReaderCardPages::ReaderCardPages(const std::vector<CardReaderInfo>& readers) : m_readers(readers) {}

QStringList ReaderCardPages::PrintedNumbers() const
{
    QStringList numbers;
    for (const CardReaderInfo& reader : m_readers)
        if (!reader.m_strName.isEmpty())
            numbers << reader.m_strNumber;
    return numbers;
}

int ReaderCardPages::PageCount() const
{
    return PagesFor(static_cast<qsizetype>(m_readers.size()), CardPage::kCardsPerPage);
}

void ReaderCardPages::DrawPage(QPainter& painter, int page, double sx, double sy) const
{
    CReaderCard card;
    card.SetSize(CardPage::kCardWidth, CardPage::kCardHeight);
    card.SetTitle(m_strTitle);
    const LogFont captionFont;
    const size_t first = static_cast<size_t>(page - 1) * CardPage::kCardsPerPage;
    const size_t left = first < m_readers.size() ? m_readers.size() - first : 0;
    const int cards = static_cast<int>(std::min<size_t>(left, CardPage::kCardsPerPage));
    CardPage::Draw(painter, m_geometry, sx, sy, cards, [&](int row, QPoint front, QPoint back) {
        const CardReaderInfo& reader = m_readers[first + row];
        if (reader.m_strName.isEmpty())
            return;
        card.SetInfo(reader);
        card.DrawFront(painter, captionFont, front.x(), front.y(), sx, sy);
        card.DrawBack(painter, captionFont, back.x(), back.y(), sx, sy);
    });
}
