#include "printing/BarcodeLabelPages.h"

#include "printing/BarcodeLayoutFile.h"
#include "printing/BarcodePainter.h"

#include <QPainter>

#include <cmath>

BarcodeLabelPages::BarcodeLabelPages(const LayoutRecord& layout)
    : m_layout(layout)
    , m_grid(LabelGrid::Barcodes(layout))
{
}

void BarcodeLabelPages::SetLayout(const LayoutRecord& layout)
{
    m_layout = layout;
    m_grid = LabelGrid::Barcodes(layout);
}

bool BarcodeLabelPages::ReadLayout(int mode)
{
    const std::optional<LayoutRecord> layout = LayoutRecord::Read(BarcodeLayoutFile::Path(mode));
    SetLayout(layout.value_or(LayoutRecord::Defaults()));
    return layout.has_value();
}

void BarcodeLabelPages::DrawPage(QPainter& painter, int page, double sx, double sy) const
{
    painter.fillRect(QRectF(0, 0, std::round(kPageWidth * sx), std::round(kPageHeight * sy)), Qt::white);
    const QString title = m_layout.Text(LayoutRecord::TitleSlot);
    const LogFont font = m_layout.Font();
    const QStringList codes = CodesOfPage(page);
    for (int i = 0; i < codes.size(); ++i) {
        const std::optional<QRect> cell = m_grid.Cell(i);
        if (!codes[i].isEmpty() && cell)
            CBarcodePainter::DrawCode128(painter, title, font, codes[i], cell->x(), cell->y(), sx, sy);
    }
}
