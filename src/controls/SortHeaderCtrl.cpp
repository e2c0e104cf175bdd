#include "controls/SortHeaderCtrl.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionHeader>

CSortHeaderCtrl::CSortHeaderCtrl(QWidget* parent) : QHeaderView(Qt::Horizontal, parent)
{
    setSortIndicatorShown(false);
}

void CSortHeaderCtrl::SetSortArrow(int column, bool ascending)
{
    m_nSortColumn = column;
    m_bSortAscending = ascending;
    m_ownerDrawn.insert(column);
    viewport()->update();
}

void CSortHeaderCtrl::ForgetColumn(int column)
{
    m_ownerDrawn.remove(column);
    viewport()->update();
}

void CSortHeaderCtrl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_nPressed = logicalIndexAt(event->position().toPoint());
    QHeaderView::mousePressEvent(event);
}

void CSortHeaderCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    m_nPressed = -1;
    QHeaderView::mouseReleaseEvent(event);
    viewport()->update();
}

void CSortHeaderCtrl::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    if (!m_ownerDrawn.contains(logicalIndex)) {
        QHeaderView::paintSection(painter, rect, logicalIndex);
        return;
    }
    // The frame of a heading as the style draws it, the item itself inside.
    QStyleOptionHeader frame;
    initStyleOption(&frame);
    frame.rect = rect;
    frame.section = logicalIndex;
    style()->drawControl(QStyle::CE_HeaderSection, &frame, painter, this);
    painter->save();
    DrawItem(*painter, rect.adjusted(1, 1, -1, -1), logicalIndex);
    painter->restore();
}

void CSortHeaderCtrl::DrawItem(QPainter& painter, const QRect& item, int column) const
{
    painter.setClipRect(item);
    painter.fillRect(item, palette().color(QPalette::Button));
    const QString text = model() ? model()->headerData(column, orientation()).toString() : QString();
    const int alignment = model() ? model()->headerData(column, orientation(), Qt::TextAlignmentRole).toInt() : 0;
    int flags = Qt::TextSingleLine | Qt::AlignVCenter;
    flags |= alignment & Qt::AlignHCenter ? Qt::AlignHCenter : (alignment & Qt::AlignRight ? Qt::AlignRight : Qt::AlignLeft);
    QRect label = item;
    if (column == m_nPressed)
        label.adjust(1, 2, 1, 0);
    const int h = item.height() / 4;
    if (column == m_nSortColumn)
        label.setRight(label.right() - 3 * h);
    label.adjust(h, 0, -h, 0);
    if (label.left() < label.right()) {
        painter.setPen(palette().color(QPalette::ButtonText));
        painter.drawText(label, flags, fontMetrics().elidedText(text, Qt::ElideRight, label.width()));
    }
    if (column == m_nSortColumn)
        DrawArrow(painter, item);
}

// The triangle, a quarter of the item's height h from its right and bottom edges.
void CSortHeaderCtrl::DrawArrow(QPainter& painter, const QRect& item) const
{
    const int h = item.height() / 4;
    const int r = item.left() + item.width();
    const int t = item.top();
    const int b = item.top() + item.height();
    const QColor light = palette().color(QPalette::Light);
    const QColor dark = palette().color(QPalette::Dark);
    if (m_bSortAscending) {
        painter.setPen(light);
        painter.drawPolyline(QList<QPoint>{{r - 2 * h, t + h}, {r - h, b - h - 1}, {r - 3 * h - 2, b - h - 1}});
        painter.setPen(dark);
        painter.drawLine(QPoint(r - 3 * h - 1, b - h - 1), QPoint(r - 2 * h, t + h - 1));
    } else {
        painter.setPen(light);
        painter.drawLine(QPoint(r - h - 1, t + h), QPoint(r - 2 * h - 1, b - h));
        painter.setPen(dark);
        painter.drawPolyline(QList<QPoint>{{r - 2 * h - 2, b - h}, {r - 3 * h - 1, t + h}, {r - h - 1, t + h}});
    }
}
