#include "printing/BarcodePainter.h"

#include "printing/Code128.h"
#include "printing/LogFont.h"

#include <QPainter>

#include <cmath>

namespace {
int scaled(int value, double scale) { return static_cast<int>(std::lround(value * scale)); }
}

void CBarcodePainter::DrawCode128(QPainter& painter, const QString& caption, const LogFont& font, const QString& code,
                                  int x, int y, int width, double sx, double sy)
{
    painter.save();
    painter.setFont(font.ToQFont(sx));
    painter.setPen(Qt::black);
    const QRect captionBox(QPoint(scaled(x, sx), scaled(y + 2, sy)), QPoint(scaled(x + width, sx), scaled(y + 60, sy)));
    painter.drawText(captionBox, Qt::AlignCenter | Qt::TextSingleLine, caption);
    painter.restore();
    // Centred as printed: a module of whole device dots may be wider than a page pixel.
    CCode128::DrawBarcode(painter, x, y + kBarTop, 1, kBarHeight, code, font, u"CODE128B", true, sx, sy, width);
}
