#include "remote/ConnectionLamp.h"

#include <QPainter>
#include <QPixmap>

QIcon connectionLamp(bool connected)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 60, 0), 2));
    painter.setBrush(connected ? QColor(0, 255, 0) : QColor(0, 100, 0));
    painter.drawEllipse(QRectF(3, 3, 26, 26));
    return QIcon(pixmap);
}
