#include "printing/CardPage.h"

#include "printing/PageSource.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace CardPage {
namespace {
int scaled(int value, double scale) { return static_cast<int>(std::lround(value * scale)); }

void DrawCutLines(QPainter& painter, const CardPageGeometry& geometry, double sx, double sy)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 1));
    for (int i = 0; i <= kCardsPerPage; ++i) {
        const int y = scaled(18 + i * (kCardHeight + 15), sy);
        painter.drawLine(scaled(10, sx), y, scaled(980, sx), y);
    }
    for (int j = 0; j < 3; ++j) {
        const int x = scaled(geometry.left + j * (kCardWidth + 15) - 5, sx);
        painter.drawLine(x, scaled(10, sy), x, scaled(1380, sy));
    }
    painter.restore();
}
}

void Draw(QPainter& painter, const CardPageGeometry& geometry, double sx, double sy, int cards,
          const std::function<void(int row, QPoint front, QPoint back)>& drawCard)
{
    painter.fillRect(QRect(0, 0, scaled(PageSource::kPageWidth, sx), scaled(PageSource::kPageHeight, sy)), Qt::white);
    DrawCutLines(painter, geometry, sx, sy);
    for (int row = 0; row < std::min(cards, kCardsPerPage); ++row) {
        const int y = geometry.top + row * (kCardHeight + geometry.lineSpacing);
        drawCard(row, QPoint(geometry.left, y), QPoint(geometry.left + kCardWidth + geometry.columnSpacing, y));
    }
}
}
