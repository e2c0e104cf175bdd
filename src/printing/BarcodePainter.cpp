#include "printing/BarcodePainter.h"

#include "printing/Code128.h"
#include "printing/LogFont.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {
int scaled(int value, double scale) { return static_cast<int>(std::lround(value * scale)); }
}

void CBarcodePainter::DrawCode128(QPainter& painter, const QString& caption, const LogFont& font, const QString& code,
                                  int x, int y, double sx, double sy)
{
    painter.save();
    painter.setFont(font.ToQFont(sx));
    painter.setPen(Qt::black);
    const int left = scaled(x, sx);
    const int top = scaled(y + 2, sy);
    const QRect captionBox(left, top, scaled(x + kCellWidth, sx) - left, scaled(y + 60, sy) - top);
    painter.drawText(captionBox, Qt::AlignCenter | Qt::TextSingleLine, caption);
    painter.restore();
    // Centring the wider printed symbol instead would push it past the label's left edge at
    // 203 and 300 dpi, splitting it between two labels. For the same reason a symbol wider
    // than the cell starts at the cell's corner: centred, it would start left of its label,
    // off the paper in the first column and on the neighbouring label elsewhere.
    const int symbolLeft = x + std::max(0, (kCellWidth - CCode128::GetWidthB(code, 1)) / 2);
    CCode128::DrawBarcode(painter, symbolLeft, y + kBarTop, 1, kBarHeight, code, font, u"CODE128B", true, sx, sy);
}
