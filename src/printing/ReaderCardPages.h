#pragma once

#include "printing/CardPage.h"
#include "printing/PageSource.h"
#include "printing/ReaderCard.h"

#include <QStringList>

#include <vector>

// Pages of reader cards: five readers of a print list to a page, each card's front beside
// its back. A reader without a 姓名 leaves his row blank.
class ReaderCardPages : public PageSource {
public:
    // The readers stay the caller's; the pages show them as they are when drawn.
    explicit ReaderCardPages(const std::vector<CardReaderInfo>& readers);

    void SetGeometry(const CardPageGeometry& geometry) { m_geometry = geometry; }
    const CardPageGeometry& Geometry() const { return m_geometry; }
    void SetTitle(const QString& title) { m_strTitle = title; }
    const QString& Title() const { return m_strTitle; }

    // The numbers printed as barcodes: those of the readers with a 姓名.
    QStringList PrintedNumbers() const;
    // The room a number's barcode has on the front, in page pixels.
    static int BarcodeRoom() { return CardPage::BarcodeRoom(CReaderCard::kFrontBarcodeLeft); }

    int PageCount() const override;
    void DrawPage(QPainter& painter, int page, double sx, double sy) const override;

private:
    const std::vector<CardReaderInfo>& m_readers;
    CardPageGeometry m_geometry;
    QString m_strTitle = QStringLiteral("借　阅　证");
};
