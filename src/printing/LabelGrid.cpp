#include "printing/LabelGrid.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
bool reachable(double value) { return std::abs(value) <= LabelGrid::kReach; }
}

LabelGrid::LabelGrid(int rows, int columns, const Lengths& pixels)
    : m_nRows(std::max(1, rows))
    , m_nColumns(std::max(1, columns))
    , m_pixels(pixels)
{
}

LabelGrid LabelGrid::Barcodes(const LayoutRecord& layout)
{
    const double f = kBarcodePixelsPerMm;
    return LabelGrid(layout.Rows(), layout.Columns(),
                     {layout.TopMargin() * f, layout.LeftMargin() * f, layout.RowGap() * f, layout.ColumnGap() * f,
                      layout.LabelWidth() * f, layout.LabelHeight() * f});
}

int LabelGrid::SpinePixels(double mm)
{
    const double pixels = std::trunc(mm * kSpinePixelsPerMm);
    // Beyond the int range it is out of reach anyway.
    return reachable(pixels) ? static_cast<int>(pixels) : std::numeric_limits<int>::max();
}

LabelGrid LabelGrid::Spine(const LayoutRecord& layout)
{
    return LabelGrid(layout.Rows(), layout.Columns(),
                     {double(SpinePixels(layout.TopMargin())), double(SpinePixels(layout.LeftMargin())),
                      double(SpinePixels(layout.RowGap())), double(SpinePixels(layout.ColumnGap())),
                      double(SpinePixels(layout.LabelWidth())), double(SpinePixels(layout.LabelHeight()))});
}

int LabelGrid::LabelsPerPage() const
{
    return static_cast<int>(std::min<qint64>(qint64(m_nRows) * m_nColumns, std::numeric_limits<int>::max()));
}

std::optional<QRect> LabelGrid::Cell(int i) const
{
    const int row = i / m_nColumns;
    const int column = i % m_nColumns;
    const double left = std::round(m_pixels.left + column * (m_pixels.width + m_pixels.columnGap));
    const double top = std::round(m_pixels.top + row * (m_pixels.height + m_pixels.rowGap));
    const double width = std::round(m_pixels.width);
    const double height = std::round(m_pixels.height);
    for (double value : {left, top, width, height, left + width, top + height})
        if (!reachable(value))
            return std::nullopt;
    return QRect(int(left), int(top), int(width), int(height));
}

int LabelGrid::Pitch() const
{
    const double pitch = std::round(m_pixels.width + m_pixels.columnGap);
    return reachable(pitch) ? int(pitch) : 0;
}
