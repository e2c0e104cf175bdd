#pragma once

#include "printing/LayoutRecord.h"

#include <QRect>

#include <optional>

// Where the labels of a layout stand on a page, in page pixels.
class LabelGrid {
public:
    // Lengths in page pixels.
    struct Lengths {
        double top, left, rowGap, columnGap, width, height;
    };
    // Barcode pages are A4 at 120 pixels per inch, and their millimetres are true ones.
    static constexpr double kBarcodePixelsPerMm = 120.0 / 25.4;
    // Spine label pages are at 96 dpi: the single-precision factor nearest to 3.7811449.
    static constexpr double kSpinePixelsPerMm = static_cast<double>(3.7811449f);
    // Page pixels past this distance from the page's corner are on no page; at the printer's
    // scale they would overflow device coordinates.
    static constexpr double kReach = 1e6;

    LabelGrid(int rows, int columns, const Lengths& pixels);
    // The barcode grid: each cell placed in millimetres and converted once, rounded, so that
    // rounding does not add up along a row and labels land on the sheet's labels.
    static LabelGrid Barcodes(const LayoutRecord& layout);
    // The spine grid: each length truncated to whole pixels, the cells added up from them.
    static LabelGrid Spine(const LayoutRecord& layout);
    // Spine pixels of a length in millimetres, truncated.
    static int SpinePixels(double mm);

    int Rows() const { return m_nRows; }
    int Columns() const { return m_nColumns; }
    // Rows x columns, at most the int range.
    int LabelsPerPage() const;
    // Cell i of a page (from 0), filling each row from left to right; nullopt when it lies
    // out of reach or is no number (a layout file's NaN).
    std::optional<QRect> Cell(int i) const;
    // From the left edge of one label to the next one's, in page pixels.
    int Pitch() const;

private:
    int m_nRows;
    int m_nColumns;
    Lengths m_pixels;
};
