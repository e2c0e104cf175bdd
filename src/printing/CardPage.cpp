#include "printing/CardPage.h"

#include "printing/LabelGrid.h"
#include "printing/PageSource.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace CardPage {
namespace {
constexpr int kRowPitch = kCardHeight + 15;
constexpr int kColumnPitch = kCardWidth + 15;

int scaled(qint64 value, double scale) { return static_cast<int>(std::lround(value * scale)); }

bool reachable(qint64 value) { return std::abs(value) <= LabelGrid::kReach; }

// Six lines across from x 10 to 980 and three down from y 10 to 1380, past the outer cards.
// They follow the left margin but not the top margin or the spacings.
void DrawCutLines(QPainter& painter, const CardPageGeometry& geometry, double sx, double sy)
{
    constexpr int kTop = 18;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 1));
    for (int i = 0; i <= kCardsPerPage; ++i) {
        const int y = scaled(kTop + i * kRowPitch, sy);
        painter.drawLine(scaled(10, sx), y, scaled(980, sx), y);
    }
    for (int j = 0; j <= 2; ++j) {
        const qint64 x = qint64(geometry.left) + j * kColumnPitch - 5;
        if (reachable(x))
            painter.drawLine(scaled(x, sx), scaled(10, sy), scaled(x, sx), scaled(1380, sy));
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
        const qint64 y = geometry.top + row * (qint64(kCardHeight) + geometry.lineSpacing);
        const qint64 back = qint64(geometry.left) + kCardWidth + geometry.columnSpacing;
        if (reachable(y) && reachable(geometry.left) && reachable(back))
            drawCard(row, QPoint(geometry.left, int(y)), QPoint(int(back), int(y)));
    }
}
}
