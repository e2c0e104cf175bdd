#pragma once

#include "printing/CardPage.h"
#include "printing/PageSource.h"
#include "printing/ReaderCard.h"

#include <QString>

// Pages of custom reader cards: five made-up numbers to a page, each as the custom front
// (the title, "借　阅　证" and the number's barcode) with the holder's rules beside it.
class CustomCardPages : public CodePages {
public:
    void SetGeometry(const CardPageGeometry& geometry) { m_geometry = geometry; }
    const CardPageGeometry& Geometry() const { return m_geometry; }
    void SetTitle(const QString& title) { m_strTitle = title; }
    const QString& Title() const { return m_strTitle; }

    int CodesPerPage() const override { return CardPage::kCardsPerPage; }
    // The number's barcode runs from its place on the front to the card's edge.
    int CodePitch() const override { return CardPage::BarcodeRoom(CReaderCard::kCustomBarcodeLeft); }
    void DrawPage(QPainter& painter, int page, double sx, double sy) const override;

private:
    CardPageGeometry m_geometry;
    QString m_strTitle;
};
