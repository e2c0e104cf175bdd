#pragma once

#include "printing/LayoutRecord.h"

#include <QRect>

// Where the labels of a layout stand on a page, in page pixels. Each cell is placed in
// millimetres and converted once, rounded, so rounding errors do not add up along a row.
class LabelGrid {
public:
    // Barcode and card pages: A4 at 120 pixels per inch.
    static constexpr double kBarcodePixelsPerMm = 120.0 / 25.4;
    // The spine label page keeps its 96-dpi page.
    static constexpr double kSpinePixelsPerMm = 3.7811449;

    LabelGrid(const LayoutRecord& layout, double pixelsPerMm);

    int Rows() const { return m_nRows; }
    int Columns() const { return m_nColumns; }
    int LabelsPerPage() const { return m_nRows * m_nColumns; }
    // Cell i of a page (from 0), filling each row from left to right.
    QRect Cell(int i) const;
    // From the left edge of one label to the next one's, in page pixels.
    int Pitch() const;

private:
    int Pixels(double mm) const;

    double m_dPerMm;
    int m_nRows;
    int m_nColumns;
    double m_dTop, m_dLeft, m_dRowGap, m_dColumnGap, m_dWidth, m_dHeight;
};
