#include "printing/SpineLabelPages.h"

#include "printing/SpineLabelStyle.h"
#include "printing/SpineLayout.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

SpineLabelPages::SpineLabelPages(const std::vector<BookItem>& books)
    : m_books(books)
    , m_layout(SpineLayout::Defaults())
    , m_grid(m_layout, LabelGrid::kSpinePixelsPerMm)
{
}

void SpineLabelPages::SetLayout(const LayoutRecord& layout)
{
    m_layout = layout;
    m_grid = LabelGrid(layout, LabelGrid::kSpinePixelsPerMm);
}

int SpineLabelPages::PageCount() const
{
    return PagesFor(static_cast<qsizetype>(m_books.size()), LabelsPerPage());
}

QSize SpineLabelPages::PageSize() const
{
    return {static_cast<int>(m_layout.PageWidth() * LabelGrid::kSpinePixelsPerMm),
            static_cast<int>(m_layout.PageHeight() * LabelGrid::kSpinePixelsPerMm)};
}

void SpineLabelPages::DrawPage(QPainter& painter, int page, double sx, double sy) const
{
    const QSize size = PageSize();
    painter.fillRect(QRectF(0, 0, std::round(size.width() * sx), std::round(size.height() * sy)), Qt::white);
    const QString style = m_layout.Text(SpineLayout::StyleSlot);
    const QString templateName = m_layout.Text(SpineLayout::TemplateSlot);
    const size_t first = static_cast<size_t>(page - 1) * LabelsPerPage();
    const size_t end = std::min(m_books.size(), first + LabelsPerPage());
    CBookLabelPainter labelPainter;
    for (size_t i = first; i < end; ++i) {
        const BookItem& book = m_books[i];
        if (book.classNo.isEmpty())
            continue;
        const SpineLabelStyle::Lines lines = SpineLabelStyle::Compose(style, book);
        const LabelItem item{m_grid.Cell(static_cast<int>(i - first)), m_layout.Text(SpineLayout::HeadingSlot),
                             lines.upper, lines.lower, m_layout.Font(), m_layout.Color()};
        if (templateName == SpineLayout::Template1())
            labelPainter.DrawTemplate1(painter, item, sx, sy);
        else if (templateName == SpineLayout::Template2())
            labelPainter.DrawTemplate2(painter, item, sx, sy);
    }
}
