#include "printing/SpineLabelPages.h"

#include "printing/SpineLabelStyle.h"
#include "printing/SpineLayout.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {
const LabelGrid kBuiltInGrid(10, 5, {31, 30, 63, 65, 120, 68});
}

SpineLabelPages::SpineLabelPages(const std::vector<BookItem>& books) : m_books(books), m_grid(kBuiltInGrid)
{
    SetLayout(std::nullopt);
}

void SpineLabelPages::SetLayout(const std::optional<LayoutRecord>& layout)
{
    if (!layout) {
        m_grid = kBuiltInGrid;
        m_pageSize = QSize(kPageWidth, kPageHeight);
        m_strStyle.clear();
        m_strTemplate.clear();
        m_strHeading.clear();
        return;
    }
    m_grid = LabelGrid::Spine(*layout);
    m_pageSize = QSize(LabelGrid::SpinePixels(layout->PageWidth()), LabelGrid::SpinePixels(layout->PageHeight()));
    m_strStyle = layout->Text(SpineLayout::StyleSlot);
    m_strTemplate = layout->Text(SpineLayout::TemplateSlot);
    m_strHeading = layout->Text(SpineLayout::HeadingSlot);
    m_font = layout->Font();
    m_color = layout->Color();
}

int SpineLabelPages::PageCount() const
{
    return PagesFor(static_cast<qsizetype>(m_books.size()), LabelsPerPage());
}

void SpineLabelPages::DrawPage(QPainter& painter, int page, double sx, double sy) const
{
    painter.fillRect(QRectF(0, 0, std::round(m_pageSize.width() * sx), std::round(m_pageSize.height() * sy)),
                     Qt::white);
    const size_t first = static_cast<size_t>(page - 1) * LabelsPerPage();
    const size_t end = std::min(m_books.size(), first + LabelsPerPage());
    CBookLabelPainter labelPainter;
    for (size_t i = first; i < end; ++i) {
        const BookItem& book = m_books[i];
        const std::optional<QRect> cell = m_grid.Cell(static_cast<int>(i - first));
        if (book.classNo.isEmpty() || !cell)
            continue;
        const SpineLabelStyle::Lines lines = SpineLabelStyle::Compose(m_strStyle, book);
        const LabelItem item{*cell, m_strHeading, lines.upper, lines.lower, m_font, m_color};
        if (m_strTemplate == SpineLayout::Template1())
            labelPainter.DrawTemplate1(painter, item, sx, sy);
        else if (m_strTemplate == SpineLayout::Template2())
            labelPainter.DrawTemplate2(painter, item, sx, sy);
    }
}
