#include "printing/LabelGrid.h"

#include <algorithm>
#include <cmath>

LabelGrid::LabelGrid(const LayoutRecord& layout, double pixelsPerMm)
    : m_dPerMm(pixelsPerMm)
    , m_nRows(std::max(1, layout.Rows()))
    , m_nColumns(std::max(1, layout.Columns()))
    , m_dTop(layout.TopMargin())
    , m_dLeft(layout.LeftMargin())
    , m_dRowGap(layout.RowGap())
    , m_dColumnGap(layout.ColumnGap())
    , m_dWidth(layout.LabelWidth())
    , m_dHeight(layout.LabelHeight())
{
}

QRect LabelGrid::Cell(int i) const
{
    const int row = i / m_nColumns;
    const int column = i % m_nColumns;
    return QRect(Pixels(m_dLeft + column * (m_dWidth + m_dColumnGap)), Pixels(m_dTop + row * (m_dHeight + m_dRowGap)),
                 Pixels(m_dWidth), Pixels(m_dHeight));
}

int LabelGrid::Pitch() const { return Pixels(m_dWidth + m_dColumnGap); }

int LabelGrid::Pixels(double mm) const { return static_cast<int>(std::lround(mm * m_dPerMm)); }
