#include "printing/BookLabelPainter.h"

#include <QPainter>

namespace {
// The rule keeps its width in device units: thinner on paper than on the screen.
constexpr int kRuleWidth = 4;
constexpr int kRuleInset = 30;
// 模板二 lifts its upper line by device units, not page pixels.
constexpr int kUpperLift = 5;

void drawLine(QPainter& painter, const QRect& band, const QString& text, bool opaque)
{
    const int flags = Qt::AlignCenter | Qt::TextSingleLine;
    if (opaque)
        painter.fillRect(painter.boundingRect(band, flags, text), Qt::white);
    painter.drawText(band, flags, text);
}

// Band from (left, top) to (right, bottom), as the text-in-rectangle call takes them.
QRect band(int left, int top, int right, int bottom) { return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)); }

// The cell in device units, each of its left, top, width and height truncated.
QRect deviceCell(const QRect& cell, double sx, double sy)
{
    return QRect(static_cast<int>(cell.left() * sx), static_cast<int>(cell.top() * sy),
                 static_cast<int>(cell.width() * sx), static_cast<int>(cell.height() * sy));
}
}

void CBookLabelPainter::DrawTemplate1(QPainter& painter, const LabelItem& item, double sx, double sy) const
{
    const QRect cell = deviceCell(item.rcCell, sx, sy);
    const int x = cell.x(), y = cell.y(), w = cell.width(), h = cell.height();
    painter.save();
    painter.setFont(item.logFont.ToQFont(sx));
    painter.setPen(item.crText);
    drawLine(painter, band(x, y + h / 4, x + w, y + h / 2), item.strUpper, false);
    drawLine(painter, band(x, y + h / 2, x + w, y + h - h / 4), item.strLower, false);
    QPen rule(item.crText, kRuleWidth);
    rule.setCapStyle(Qt::FlatCap);
    painter.setPen(rule);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.drawLine(static_cast<int>(x + kRuleInset * sx), y + h / 2, static_cast<int>(x + w - kRuleInset * sx),
                     y + h / 2);
    painter.restore();
}

void CBookLabelPainter::DrawTemplate2(QPainter& painter, const LabelItem& item, double sx, double sy) const
{
    const QRect cell = deviceCell(item.rcCell, sx, sy);
    const int x = cell.x(), y = cell.y(), w = cell.width(), h = cell.height();
    painter.save();
    painter.setFont(item.logFont.ToQFont(sx));
    painter.setPen(item.crText);
    drawLine(painter, band(x, y + h / 4, x + w, y + h / 2), item.strHeading, true);
    drawLine(painter, band(x, y + h / 3 - kUpperLift, x + w, y + 2 * h / 3 - kUpperLift), item.strUpper, true);
    drawLine(painter, band(x, y + h / 2, x + w, y + h - h / 4), item.strLower, true);
    painter.restore();
}
