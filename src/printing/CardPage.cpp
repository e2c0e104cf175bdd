#include "printing/CardPage.h"

#include "printing/PageSource.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace CardPage {
namespace {
int scaled(int value, double scale) { return static_cast<int>(std::lround(value * scale)); }

// The lines close the grid of cards and stop there: a line running on past the outer cut
// lines would draw the frames of a column or row that is not on the page.
void DrawCutLines(QPainter& painter, const CardPageGeometry& geometry, double sx, double sy)
{
    constexpr int kTop = 18;
    constexpr int kColumns = 2;
    constexpr int kRowPitch = kCardHeight + 15;
    constexpr int kColumnPitch = kCardWidth + 15;
    const int bottom = kTop + kCardsPerPage * kRowPitch;
    const int left = geometry.left - 5;
    const int right = left + kColumns * kColumnPitch;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 1));
    for (int i = 0; i <= kCardsPerPage; ++i) {
        const int y = scaled(kTop + i * kRowPitch, sy);
        painter.drawLine(scaled(left, sx), y, scaled(right, sx), y);
    }
    for (int j = 0; j <= kColumns; ++j) {
        const int x = scaled(left + j * kColumnPitch, sx);
        painter.drawLine(x, scaled(kTop, sy), x, scaled(bottom, sy));
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
