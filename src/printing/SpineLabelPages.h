#pragma once

#include "printing/BookItem.h"
#include "printing/BookLabelPainter.h"
#include "printing/LabelGrid.h"
#include "printing/LayoutRecord.h"
#include "printing/PageSource.h"

#include <vector>

// Pages of spine labels: the books of a print list in the grid of the spine layout, on a
// page of the layout's size at 96 dpi. A book without a 分类号 leaves its cell blank.
class SpineLabelPages : public PageSource {
public:
    static constexpr double kDotsPerInch = 96;

    // The books stay the caller's; the pages show them as they are when drawn.
    explicit SpineLabelPages(const std::vector<BookItem>& books);

    void SetLayout(const LayoutRecord& layout);
    const LayoutRecord& Layout() const { return m_layout; }
    const LabelGrid& Grid() const { return m_grid; }
    int LabelsPerPage() const { return m_grid.LabelsPerPage(); }

    int PageCount() const override;
    // The layout's page in page pixels, each side truncated (794 x 1123 for A4).
    QSize PageSize() const override;
    void DrawPage(QPainter& painter, int page, double sx, double sy) const override;

private:
    const std::vector<BookItem>& m_books;
    LayoutRecord m_layout;
    LabelGrid m_grid;
};
