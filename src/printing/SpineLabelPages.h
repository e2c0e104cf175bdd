#pragma once

#include "printing/BookItem.h"
#include "printing/BookLabelPainter.h"
#include "printing/LabelGrid.h"
#include "printing/LayoutRecord.h"
#include "printing/PageSource.h"

#include <optional>
#include <vector>

// Pages of spine labels: the books of a print list in the grid of the spine layout, on a
// page of the layout's size at 96 dpi. A book without a 分类号 leaves its cell blank.
class SpineLabelPages : public PageSource {
public:
    static constexpr double kDotsPerInch = 96;

    // The books stay the caller's; the pages show them as they are when drawn. Until a layout
    // is set they are laid out as without a layout file.
    explicit SpineLabelPages(const std::vector<BookItem>& books);

    // The layout of "data/font.dat"; without one (nullopt) the built-in grid of 10 x 5
    // labels of 120 x 68 pixels on a page of 991 x 1403, with no style and no template,
    // so that pages print white until a layout is saved.
    void SetLayout(const std::optional<LayoutRecord>& layout);
    const LabelGrid& Grid() const { return m_grid; }
    int LabelsPerPage() const { return m_grid.LabelsPerPage(); }

    int PageCount() const override;
    // The layout's page in page pixels, each side truncated (794 x 1123 for A4).
    QSize PageSize() const override { return m_pageSize; }
    void DrawPage(QPainter& painter, int page, double sx, double sy) const override;

private:
    const std::vector<BookItem>& m_books;
    LabelGrid m_grid;
    QSize m_pageSize;
    QString m_strStyle;
    QString m_strTemplate;
    QString m_strHeading;
    LogFont m_font;
    QColor m_color;
};
